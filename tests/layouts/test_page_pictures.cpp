// Where a layout's pictures come from: the original at the paper's resolution on paper (while it
// is the file the thumbnail was made from, and not for a draft), the cache's thumbnail
// otherwise, and the grid's own thumbnails for a sample or a preview.
#include "layouts/print_progress.h"
#include "layouts_fixture.h"
#include "picture/picture_fixtures.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>
#include <utime.h>

namespace mirte {
namespace {

using test::IndexCardFixture;

// The items as the grid holds them, with a thumbnail of its own in memory.
class ShownItems : public TThumbItemSource {
public:
    explicit ShownItems(const TThumbItemSource& items) : m_items(items) {}
    int Count() const override { return m_items.Count(); }
    TItemFacts ItemFacts(int index) const override { return m_items.ItemFacts(index); }
    int SelectedIndex() const override { return -1; }
    QImage Thumbnail(int) const override { return Shown; }
    QImage Shown;

private:
    const TThumbItemSource& m_items;
};

// One 2400 x 1800 photo on a 1 x 1 card side.
struct OnePhoto : IndexCardFixture {
    OnePhoto() {
        Photo =
            Folder.Write("big.jpg", test::EncodeWithQt(test::MakeTestPicture(2400, 1800), "jpg"));
        ListFolder();
        Form->SetCols(1);
        Form->SetRows(1);
        RecordCells();
    }
    QSize Printed() {
        TSilentProgress quiet;
        Cells.clear();
        Form->PrintPages(quiet);
        const test::CellSeen* cell = Cell(true, 0, 0);
        return cell != nullptr ? cell->Picture : QSize();
    }
    QString Photo;
};

TEST(PagePictures, PaperGetsTheOriginalAtItsResolutionWhileItIsTheFileListed) {
    const struct {
        const char* what;
        bool draft;
        bool touched;
        bool original;
    } rows[] = {
        {"print", false, false, true},
        {"draft", true, false, false},
        {"file changed since it was listed", false, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        OnePhoto f;
        f.Form->DraftPrint = row.draft;
        if (row.touched) {
            utimbuf times{};
            times.actime = times.modtime = QDateTime::currentSecsSinceEpoch() + 60;
            ASSERT_EQ(::utime(QFile::encodeName(f.Photo).constData(), &times), 0);
        }
        const QSize printed = f.Printed();
        // The card's picture box is some 4.5 inches wide: 300 ppi of it, else the thumbnail.
        if (row.original) {
            EXPECT_GT(printed.width(), 1200);
            EXPECT_LE(printed.width(), 2400);
            EXPECT_NEAR(printed.width() * 3, printed.height() * 4, 4); // its proportions
        } else {
            EXPECT_EQ(printed, QSize(512, 384));
        }
    }
}

TEST(PagePictures, APreviewTakesTheGridsOwnThumbnailWhenItCoversTheBox) {
    OnePhoto f;
    ShownItems shown(f.Items);
    f.Form->ListView = &shown;
    shown.Shown = test::MakeTestPicture(1600, 1200); // covers a preview's box
    f.Render(1);
    EXPECT_EQ(f.Cell(true, 0, 0)->Picture, QSize(1600, 1200));
    EXPECT_EQ(f.Db.RenderCount(), 0);            // nothing made, nothing read
    shown.Shown = test::MakeTestPicture(40, 30); // a grid of small thumbnails: the cache's
    f.Render(1);
    EXPECT_EQ(f.Cell(true, 0, 0)->Picture, QSize(512, 384));
    EXPECT_EQ(f.Db.RenderCount(), 1);
}

// One item with the facts it was listed with.
class OneItem : public TThumbItemSource {
public:
    explicit OneItem(TItemFacts facts) : m_facts(std::move(facts)) {}
    int Count() const override { return 1; }
    TItemFacts ItemFacts(int) const override { return m_facts; }
    int SelectedIndex() const override { return -1; }

private:
    TItemFacts m_facts;
};

// A picture box asks for the picture as the item was listed, in numbers: its size as stored (a
// photo shown turned a quarter gives back its stored sides), its file time and size.
TEST(PagePictures, WantOfItemTakesTheListedFacts) {
    const struct {
        const char* what;
        QSize shown;
        TItemTurn turn;
        qint64 size;
        QSize picture;
    } rows[] = {
        {"as stored", {640, 480}, TItemTurn::AsStored, 5000, {640, 480}},
        {"turned a quarter", {480, 640}, TItemTurn::Quarter, 5000, {640, 480}},
        {"turn unknown", {480, 640}, TItemTurn::Unknown, 5000, {480, 640}},
        {"no facts", QSize(), TItemTurn::Unknown, -1, QSize()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TItemFacts facts = NamedFacts(QStringLiteral("/p/a.jpg"));
        facts.Shown = row.shown;
        facts.Turn = row.turn;
        facts.FileSize = row.size;
        if (row.size >= 0) {
            facts.FileTime = TDateStamp::FromText(QStringLiteral("2003/05/11 10:00:00"));
        }
        const TPictureWant want = WantOfItem(OneItem(facts), 0, {200, 100});
        EXPECT_EQ(want.Path, facts.FullPath);
        EXPECT_EQ(want.Index, 0);
        EXPECT_EQ(want.Box, QSize(200, 100));
        EXPECT_EQ(want.Picture, row.picture);
        EXPECT_EQ(want.FileSize, row.size);
        EXPECT_EQ(want.FileTime, InfoText(facts, ieFileTime));
    }
}

} // namespace
} // namespace mirte
