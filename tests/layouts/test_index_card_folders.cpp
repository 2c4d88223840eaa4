// The index card over a tree: by folder, every folder starts a card titled with its name and
// showing its path, its names bare; else the cards run on as ever, each name with its folder.
#include "layouts_fixture.h"
#include "support/gtest_qt.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace mirte {
namespace {

TEST(IndexCardFolders, EveryCardsTitlePathAndFirstName) {
    struct Row {
        bool eachFolder;
        const char* title;
        QStringList cards; // "title|path|first name", page 1's right first; ~ and . the chosen
    };
    const Row rows[] = {
        {true, "", {"~|.|p000.jpg", "a|a|p000.jpg", "旅|a/旅|p000.jpg", "旅|a/旅|p004.jpg"}},
        {false, "夏", {"夏|.|p000.jpg", "夏|.|a/p002.jpg", "夏|.|a/旅/p003.jpg", "夏|.|"}},
    };
    for (const Row& row : rows) {
        test::IndexCardFixture f;
        f.WriteTree({{"", 2}, {"a", 3}, {"a/旅", 5}});
        TIndexCardSettings settings = index_card::Defaults();
        settings.Layout = 1; // 2 x 2
        settings.Title = QString::fromUtf8(row.title);
        settings.EachFolder = row.eachFolder;
        f.Form->ApplySettings(settings, f.Folder.Path());
        ASSERT_EQ(f.Form->PageCount(), row.cards.size() / 2);
        f.RecordCells();
        for (int card = 0; card < row.cards.size(); ++card) {
            const bool right = card % 2 == 0;
            if (right) {
                f.Render(card / 2 + 1);
                for (const test::CellSeen& cell : f.Cells) { // each name with its picture
                    EXPECT_EQ(cell.Picture.isEmpty(), cell.Name.isEmpty()) << card;
                }
            }
            QStringList want = row.cards[card].split('|');
            want[0].replace("~", QFileInfo(f.Folder.Path()).fileName());
            want[1] = want[1] == "." ? f.Folder.Path() : f.Folder.File(want[1]);
            EXPECT_EQ((right ? f.Form->RTitle : f.Form->LTitle)->Text(), want[0]) << card;
            EXPECT_EQ((right ? f.Form->RThumbnailPath : f.Form->LThumbnailPath)->Text(), want[1]);
            EXPECT_EQ(f.Cell(right, 0, 0)->Name, want[2]) << card;
        }
    }
}

} // namespace
} // namespace mirte
