// The index card's report form: its page layout on the printer's paper, the cells of both
// cards, the numbering (right card first), empty and missing pictures, the sample and the
// preview pages.
#include "layouts_fixture.h"
#include "support/gtest_qt.h"

#include <QFile>
#include <gtest/gtest.h>

namespace mirte {
namespace {

using test::CellSeen;
using test::IndexCardFixture;

TEST(IndexCardLayout, FollowsThePrintableAreaOfA4Landscape) {
    IndexCardFixture f;
    TprtThumbnailPrint& form = *f.Form;
    // 600 dpi, offsets 100 dots: the printable area is (16, 16, 1107, 778), 762 units high.
    EXPECT_EQ(form.PrintableRectSeen, (TReportRect{16, 16, 1107, 778}));
    EXPECT_EQ(form.LightRep().Width(), 1123);
    EXPECT_EQ(form.LightRep().Height(), 794);
    EXPECT_EQ(form.SpacePanel1->Height(), (762 - 454) / 2);
    // The cards span 191 to 645 units from the paper's top and 37 to 945 from its left.
    const int top = 37 + form.SpacePanel2->Top();
    EXPECT_EQ(top, 191);
    EXPECT_EQ(top + form.SpacePanel2->Height(), 645);
    EXPECT_EQ(37 + form.ThumbnailPanel->Left() + form.ThumbnailPanel->Width(), 945);
    EXPECT_EQ(form.ThumbnailRight->BoundsRect(), (TEdgeRect{454, 0, 908, 454}));
    EXPECT_EQ(form.ThumbnailLeftUp->Height(), 30);
    EXPECT_EQ(form.ThumbnailLeftCenter->BoundsRect(), (TEdgeRect{0, 30, 454, 422}));
    EXPECT_EQ(form.ThumbnailRightDown->BoundsRect(), (TEdgeRect{0, 422, 454, 454}));
    EXPECT_EQ(form.LTitle->BoundsRect(), (TEdgeRect{1, 1, 452, 30}));
    EXPECT_EQ(form.RThumbnailPath->BoundsRect(), (TEdgeRect{22, 0, 430, 32}));
    EXPECT_EQ(form.RThumbnailOutLine->BoundsRect(), (TEdgeRect{454, 0, 908, 454}));
    EXPECT_EQ(form.LThumbnailBackColor->BoundsRect(), (TEdgeRect{0, 421, 454, 454}));
    EXPECT_EQ(form.RThumbnailBackColor->Left(), 454);
}

TEST(IndexCardLayout, FollowsThePrinterAndReportsWhatChanged) {
    IndexCardFixture f;
    TprtThumbnailPrint& form = *f.Form;
    EXPECT_FALSE(form.ApplyPrinterLayout()); // nothing new since the form was made
    f.Printer.Scale = 50;                    // every measured size doubles
    EXPECT_TRUE(form.ApplyPrinterLayout());
    EXPECT_EQ(form.LightRep().Width(), 2245);
    f.Printer.Scale = 100;
    EXPECT_TRUE(form.ApplyPrinterLayout());
    f.Printer.PrinterName = QStringLiteral("another printer");
    EXPECT_TRUE(form.ApplyPrinterLayout());
    EXPECT_EQ(form.PrinterNameSeen, QStringLiteral("another printer"));
    f.Printer.SetOrientation(TPrinterOrientation::poPortrait);
    EXPECT_TRUE(form.ApplyPrinterLayout());
    EXPECT_EQ(form.OrientationSeen, TPrinterOrientation::poPortrait);
    EXPECT_EQ(form.LightRep().Width(), 794);
    // A printer that cannot be measured leaves a page of A4 landscape, not an empty one.
    f.Printer.Answers = false;
    EXPECT_TRUE(form.ApplyPrinterLayout());
    EXPECT_EQ(form.LightRep().Width(), 1123);
    EXPECT_EQ(form.SpacePanel2->Height(), 454);
}

TEST(IndexCardCells, SixBySixTilesTheGridAndTheFirstPictureFixesTheBox) {
    IndexCardFixture f;
    f.WritePhotos(3);
    f.RecordCells();
    f.Render(1);
    ASSERT_EQ(f.Cells.size(), 72u);
    for (const CellSeen& cell : f.Cells) {
        EXPECT_TRUE(cell.Rect.Width() == 75 || cell.Rect.Width() == 76);
        EXPECT_TRUE(cell.Rect.Height() == 65 || cell.Rect.Height() == 66);
    }
    EXPECT_EQ(f.Form->ImageBoxWidth, 70);
    EXPECT_EQ(f.Form->ImageBoxHeight, 48);
    const CellSeen* first = f.Cell(true, 0, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->BackLine, (TEdgeRect{0, 1, 75, 65}));
    EXPECT_EQ(first->Comment, (TEdgeRect{3, 52, 70, 68}));
    EXPECT_EQ(first->Name, QStringLiteral("p000.jpg"));
    // The 160 x 120 picture fitted into the box (3, 4)-(70, 52), centred.
    EXPECT_EQ(first->Image, (TEdgeRect{4, 3 + 1, 68, 52}));
}

TEST(IndexCardCells, SideLinesAreSilverInsideAndBlackAtTheCardEdges) {
    struct Row {
        int n;
        int col;
        TLineStyle backLeft, backRight, edgeLeft, edgeRight;
    };
    const TLineStyle none = TLineStyle::lsNone;
    const TLineStyle single = TLineStyle::lsSingle;
    for (const Row& r :
         {Row{1, 0, none, none, single, single}, Row{6, 0, none, single, single, none},
          Row{6, 3, single, single, none, none}, Row{6, 5, single, none, none, single}}) {
        IndexCardFixture f;
        f.Form->SetCols(r.n);
        f.Form->SetRows(r.n);
        f.RecordCells();
        f.Render(1);
        const CellSeen* cell = f.Cell(false, r.col, 0);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->BackLeft, r.backLeft) << r.n << " " << r.col;
        EXPECT_EQ(cell->BackRight, r.backRight) << r.n << " " << r.col;
        EXPECT_EQ(cell->EdgeLeft, r.edgeLeft) << r.n << " " << r.col;
        EXPECT_EQ(cell->EdgeRight, r.edgeRight) << r.n << " " << r.col;
    }
}

TEST(IndexCardCells, TheRightCardIsFilledFirst) {
    IndexCardFixture f;
    f.WritePhotos(73);
    EXPECT_EQ(f.Form->PageCount(), 2);
    f.RecordCells();
    f.Render(1);
    struct Row {
        bool right;
        int col, row;
        const char* name;
    };
    for (const Row& r : {Row{true, 0, 0, "p000.jpg"}, Row{true, 5, 0, "p005.jpg"},
                         Row{true, 0, 1, "p006.jpg"}, Row{true, 5, 5, "p035.jpg"},
                         Row{false, 0, 0, "p036.jpg"}, Row{false, 5, 5, "p071.jpg"}}) {
        const CellSeen* cell = f.Cell(r.right, r.col, r.row);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->Name, QString::fromLatin1(r.name));
    }
    // Page 2: item 72 alone, top left on the right card; every other cell only framed.
    f.Render(2);
    int filled = 0;
    for (const CellSeen& cell : f.Cells) {
        filled += cell.Name.isEmpty() ? 0 : 1;
        EXPECT_EQ(cell.Picture.isEmpty(), cell.Name.isEmpty());
    }
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(f.Cell(true, 0, 0)->Name, QStringLiteral("p072.jpg"));
}

TEST(IndexCardCells, AnEmptyFolderGivesOnePageOfFramesAndNoListViewNoCells) {
    IndexCardFixture f;
    f.ListFolder();
    EXPECT_EQ(f.Items.Count(), 0);
    EXPECT_EQ(f.Form->PageCount(), 1);
    f.RecordCells();
    f.Render(1);
    ASSERT_EQ(f.Cells.size(), 72u);
    for (const CellSeen& cell : f.Cells) {
        EXPECT_TRUE(cell.Name.isEmpty());
        EXPECT_TRUE(cell.Picture.isEmpty());
    }
    f.Form->ListView = nullptr;
    EXPECT_EQ(f.Form->PageCount(), 1);
    f.Render(1); // nothing to fill: the cells keep what they had
}

TEST(IndexCardCells, MissingPicturesKeepTheirNameAndMoviesShowTheirIcon) {
    IndexCardFixture f;
    QStringList paths = f.WritePhotos(2);
    QFile::remove(paths[1]); // gone between listing and printing
    paths.append(f.Folder.Write(QStringLiteral("broken.jpg"), "not a picture"));
    paths.append(f.Folder.Write(QStringLiteral("clip.avi"), "RIFF....AVI "));
    f.UseItems(paths);
    f.Form->SetCols(2);
    f.Form->SetRows(2);
    f.RecordCells();
    f.Render(1);
    const CellSeen* gone = f.Cell(true, 1, 0);
    const CellSeen* broken = f.Cell(true, 0, 1);
    const CellSeen* movie = f.Cell(true, 1, 1);
    ASSERT_TRUE(gone && broken && movie);
    EXPECT_EQ(gone->Name, QStringLiteral("p001.jpg"));
    EXPECT_TRUE(gone->Picture.isEmpty());
    EXPECT_EQ(broken->Name, QStringLiteral("broken.jpg"));
    EXPECT_TRUE(broken->Picture.isEmpty());
    EXPECT_EQ(movie->Picture, QSize(48, 48));
    // The icon fills the box's height and sits in its middle.
    const int boxLeft = 3;
    const int boxRight = f.Form->ImageBoxWidth;
    EXPECT_NEAR((movie->Image.Left + movie->Image.Right) / 2.0, (boxLeft + boxRight) / 2.0, 1.0);
}

TEST(IndexCardPages, SampleAndPreviewHaveTheirSizes) {
    IndexCardFixture f;
    f.WritePhotos(5);
    const QImage sample = f.Form->RenderSample();
    EXPECT_EQ(sample.size(), QSize(909, 455));
    EXPECT_EQ(f.Form->CurrentPage, 1);
    const QImage page = f.Render(1);
    EXPECT_EQ(f.Form->PreviewScale(), 2);
    EXPECT_EQ(page.size(), QSize(2246, 1588));
    // The label band is drawn in the label colour, in the sample as on the page.
    const QColor label = sample.pixelColor(sample.width() / 4, 440);
    EXPECT_EQ(label, QColor(153, 153, 255));
}

} // namespace
} // namespace mirte
