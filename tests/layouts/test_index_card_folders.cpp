// The index card over a tree of folders: with cards for each folder, every folder starts a card
// titled with its name and showing its path, its cells with bare names; without, the cards run
// on as ever and each name carries its folder.
#include "cache/item_facts.h"
#include "layouts_fixture.h"
#include "picture/picture_fixtures.h"
#include "support/gtest_qt.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace mirte {
namespace {

using test::CellSeen;
using test::IndexCardFixture;

// One side of a page as the test expects it: the card's title and path (relative to the
// chosen folder, "" for itself), and the name in its first cell ("": an empty card).
struct SideRow {
    QString title;
    QString folder;
    QString firstName;
};

struct PageRow {
    SideRow right;
    SideRow left;
};

TEST(IndexCardFolders, CardsTitlesAndPathsPageByPage) {
    struct Row {
        const char* what;
        bool eachFolder;
        QString title;
        std::vector<PageRow> pages;
    };
    // 2 x 2 cells: the chosen folder's 2 pictures, 2024's 3 and 2024/旅行's 5.
    const std::vector<IndexCardFixture::TreeFolder> tree{{"", 2}, {"2024", 3}, {"2024/旅行", 5}};
    const QString root = QStringLiteral("<root>"); // the chosen folder's name, once known
    const Row rows[] = {
        {"each folder, no title",
         true,
         QString(),
         {{{root, "", "p000.jpg"}, {"2024", "2024", "p000.jpg"}},
          {{"旅行", "2024/旅行", "p000.jpg"}, {"旅行", "2024/旅行", "p004.jpg"}}}},
        {"each folder, a title",
         true,
         QStringLiteral("夏"),
         {{{"夏 " + root, "", "p000.jpg"}, {"夏 2024", "2024", "p000.jpg"}},
          {{"夏 旅行", "2024/旅行", "p000.jpg"}, {"夏 旅行", "2024/旅行", "p004.jpg"}}}},
        {"one run of cards, names with their folders",
         false,
         QStringLiteral("夏"),
         {{{"夏", "", "p000.jpg"}, {"夏", "", "2024/p002.jpg"}},
          {{"夏", "", "2024/旅行/p003.jpg"}, {"夏", "", ""}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        IndexCardFixture f;
        f.WriteTree(tree);
        const QString rootName = QFileInfo(f.Folder.Path()).fileName();
        TIndexCardSettings settings = index_card::Defaults();
        settings.Layout = 1; // 2 x 2
        settings.Title = row.title;
        settings.EachFolder = row.eachFolder;
        f.Form->ApplySettings(settings, f.Folder.Path());
        ASSERT_EQ(f.Form->PageCount(), static_cast<int>(row.pages.size()));
        f.RecordCells();
        for (size_t page = 0; page < row.pages.size(); ++page) {
            f.Render(static_cast<int>(page) + 1);
            const PageRow& want = row.pages[page];
            for (const bool right : {true, false}) {
                const SideRow& side = right ? want.right : want.left;
                const TLRItem2& title = right ? *f.Form->RTitle : *f.Form->LTitle;
                const TLRItem& path = right ? *f.Form->RThumbnailPath : *f.Form->LThumbnailPath;
                QString wantTitle = side.title;
                wantTitle.replace(root, rootName);
                EXPECT_EQ(title.Text(), wantTitle) << page << right;
                EXPECT_EQ(path.Text(), JoinFolder(f.Folder.Path(), side.folder)) << page << right;
                const CellSeen* first = f.Cell(right, 0, 0);
                ASSERT_NE(first, nullptr);
                EXPECT_EQ(first->Name, side.firstName) << page << right;
            }
        }
    }
}

TEST(IndexCardFolders, AFolderEndsItsCardAndEveryFilledCellHasItsPicture) {
    IndexCardFixture f;
    f.WriteTree({{"", 1}, {"a", 1}, {"b", 3}});
    TIndexCardSettings settings = index_card::Defaults();
    settings.EachFolder = true; // 6 x 6
    f.Form->ApplySettings(settings, f.Folder.Path());
    EXPECT_EQ(f.Form->PageCount(), 2); // three folders, three cards
    f.RecordCells();
    f.Render(1);
    int filled = 0;
    for (const CellSeen& cell : f.Cells) {
        filled += cell.Name.isEmpty() ? 0 : 1;
        EXPECT_EQ(cell.Picture.isEmpty(), cell.Name.isEmpty()) << cell.Right << cell.Col;
    }
    EXPECT_EQ(filled, 2); // the chosen folder's one, then a's one on the left card
    EXPECT_TRUE(f.Cell(true, 1, 0)->Name.isEmpty());
    f.Render(2);
    EXPECT_EQ(f.Cell(true, 2, 0)->Name, QStringLiteral("p002.jpg"));
    EXPECT_TRUE(f.Cell(true, 3, 0)->Name.isEmpty());
    // The card after the last folder's is left blank.
    EXPECT_TRUE(f.Cell(false, 0, 0)->Name.isEmpty());
    EXPECT_TRUE(f.Form->LTitle->Text().isEmpty());
    EXPECT_TRUE(f.Form->LThumbnailPath->Text().isEmpty());
}

TEST(IndexCardFolders, ListingATreeGivesEachItemItsFolderAndTellsWhatItLeftOut) {
    IndexCardFixture f;
    const QByteArray jpeg = test::EncodeWithQt(test::MakeTestPicture(64, 48), "jpg");
    for (const char* name : {"top.jpg", "2024/a.jpg", "2024/旅行/b.jpg", ".hidden/c.jpg"}) {
        f.Folder.Write(QString::fromUtf8(name), jpeg);
    }
    f.Folder.Write(QStringLiteral("2024/notes.txt"), "no picture");
    ASSERT_TRUE(QFile::link(f.Folder.Path(), f.Folder.File(QStringLiteral("2024/up"))));
    std::vector<TWalkSkip> skipped;
    const TFolderItems items = TFolderItems::ListTree(f.Folder.Path(), f.Db, &skipped);
    struct Row {
        const char* name;
        const char* folder;
    };
    const Row rows[] = {{"top.jpg", ""}, {"a.jpg", "2024"}, {"b.jpg", "2024/旅行"}};
    ASSERT_EQ(items.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TItemFacts facts = items.ItemFacts(i);
        EXPECT_EQ(facts.Name, QString::fromUtf8(rows[i].name)) << i;
        EXPECT_EQ(facts.Folder, QString::fromUtf8(rows[i].folder)) << i;
        EXPECT_EQ(facts.Shown, QSize(64, 48)) << i; // described as the window describes them
    }
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped[0].Path, f.Folder.File(QStringLiteral("2024/up")));
    EXPECT_FALSE(skipped[0].Reason.isEmpty());
}

TEST(IndexCardFolders, ThePlanFollowsItemsAndCellsChangedAfterTheChoices) {
    IndexCardFixture f;
    TIndexCardSettings settings = index_card::Defaults();
    settings.EachFolder = true;
    f.Form->ApplySettings(settings, f.Folder.Path());
    EXPECT_EQ(f.Form->PageCount(), 1);
    f.WriteTree({{"a", 1}, {"b", 1}, {"c", 1}});
    EXPECT_EQ(f.Form->PageCount(), 2);
    f.Form->EachFolder = false;
    EXPECT_EQ(f.Form->PageCount(), 1);
    f.Form->SetCols(1);
    f.Form->SetRows(1);
    EXPECT_EQ(f.Form->PageCount(), 2);
}

} // namespace
} // namespace mirte
