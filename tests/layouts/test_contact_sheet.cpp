// The contact sheet's report form: its bands and grid on A4 portrait, the cells with their
// names and date lines, the paging, and its settings section.
#include "cache/item_facts.h"
#include "layouts/prt_contact_sheet_print.h"
#include "layouts_fixture.h"
#include "picture/picture_fixtures.h"
#include "support/gtest_qt.h"
#include "util/ini_file.h"

#include <QFile>
#include <gtest/gtest.h>

namespace mirte {
namespace {

// What a cell held when the engine drew it.
struct SheetCell {
    int Col = 0;
    int Row = 0;
    TEdgeRect Rect;
    TEdgeRect Frame;
    TEdgeRect Picture;
    bool HasPicture = false;
    TEdgeRect NameBox;
    QString Name;
    TEdgeRect DateBox;
    QString Date;
};

// A contact sheet on the 600-dpi A4 test printer, portrait, over the index card fixture's
// photos and cache.
struct SheetFixture : test::IndexCardFixture {
    TprtContactSheetPrint Sheet{Db, Printer};
    std::vector<SheetCell> Cells;

    SheetFixture() {
        Printer.SetOrientation(TPrinterOrientation::poPortrait);
        Sheet.ListView = &Items;
        Sheet.ApplySettings(contact_sheet::Defaults(), Folder.Path());
        Sheet.ApplyPrinterLayout();
        auto original = Sheet.ContactSheetPanel->OnPrintPanel;
        Sheet.ContactSheetPanel->OnPrintPanel = [this, original](TLRControl* s, int col, int row,
                                                                 const TEdgeRect& rect,
                                                                 TPrintStatus& status) {
            original(s, col, row, rect, status);
            Cells.push_back({col, row, rect, Sheet.BackLine->BoundsRect(),
                             Sheet.Image->BoundsRect(), !Sheet.Image->Picture().isNull(),
                             Sheet.Comment1->BoundsRect(), Sheet.Comment1->Text(),
                             Sheet.Comment2->BoundsRect(), Sheet.Comment2->Text()});
        };
    }
    void RenderSheet(int page) {
        Cells.clear();
        Sheet.CurrentPage = page;
        Sheet.PageTotal = Sheet.PageCount();
        Sheet.RenderPage();
    }
    const SheetCell& At(int col, int row) const {
        for (const SheetCell& cell : Cells) {
            if (cell.Col == col && cell.Row == row) {
                return cell;
            }
        }
        throw std::runtime_error("no such cell");
    }
};

TEST(ContactSheetLayout, BandsAndCellsOfA4Portrait) {
    SheetFixture f;
    f.WritePhotos(3);
    EXPECT_EQ(f.Sheet.ContactSheetTitlePanel->Height(), 58);
    EXPECT_EQ(f.Sheet.ContactSheetPanel->Height(), 961);
    EXPECT_EQ(f.Sheet.PathPanel->BoundsRect(), (TEdgeRect{0, 1019, 720, 1049}));
    EXPECT_EQ(f.Sheet.ContactSheetBackColor->BoundsRect(), f.Sheet.PathPanel->BoundsRect());
    EXPECT_EQ(f.Sheet.ContactSheetPath->BoundsRect(), (TEdgeRect{23, 0, 697, 30}));
    f.RenderSheet(1);
    ASSERT_EQ(f.Cells.size(), 30u);
    EXPECT_EQ(f.At(0, 0).Rect.Width(), 144);
    EXPECT_EQ(f.At(0, 0).Rect.Height(), 160);
    EXPECT_EQ(f.At(0, 5).Rect.Height(), 161);
    const SheetCell& first = f.At(0, 0);
    EXPECT_EQ(first.Frame, (TEdgeRect{4, 6, 142, 154}));
    EXPECT_EQ(first.NameBox, (TEdgeRect{6, 112, 138, 128}));
    EXPECT_EQ(first.DateBox, (TEdgeRect{6, 128, 138, 144}));
    EXPECT_EQ(first.Picture.Bottom, 112); // 4:3 in the box (6, 16)-(138, 112): its full height
    EXPECT_EQ(first.Name, QStringLiteral("p000.jpg"));
}

TEST(ContactSheetCells, ThirtyOnePicturesMakeTwoPages) {
    SheetFixture f;
    f.WritePhotos(31);
    EXPECT_EQ(f.Sheet.PageCount(), 2);
    f.RenderSheet(2);
    int filled = 0;
    for (const SheetCell& cell : f.Cells) {
        filled += cell.Name.isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(f.At(0, 0).Name, QStringLiteral("p030.jpg"));
    EXPECT_TRUE(f.At(0, 0).HasPicture);
}

TEST(ContactSheetCells, TheDateLineIsTheShootingDateElseTheFileTime) {
    SheetFixture f;
    const QString shot =
        f.Folder.Write(QStringLiteral("shot.jpg"),
                       test::MakeExifJpeg(test::MakeTestPicture(64, 48),
                                          {"2001:02:03 04:05:06", "2001:02:03 04:05:06"}));
    const QString plain = f.Folder.Write(QStringLiteral("plain.jpg"),
                                         test::EncodeWithQt(test::MakeTestPicture(64, 48), "jpg"));
    const QString movie = f.Folder.Write(QStringLiteral("clip.avi"), "RIFF....AVI ");
    const QString gone = f.Folder.Write(QStringLiteral("gone.jpg"), "soon gone");
    f.UseItems({shot, plain, movie, gone});
    QFile::remove(gone);
    f.RenderSheet(1);
    EXPECT_EQ(f.At(0, 0).Date, QStringLiteral("2001/02/03 04:05:06"));
    const QString fileTime = InfoText(f.Items.ItemFacts(1), ieFileTime);
    EXPECT_FALSE(fileTime.isEmpty());
    EXPECT_EQ(f.At(1, 0).Date, fileTime);
    EXPECT_EQ(f.At(2, 0).Date, InfoText(f.Items.ItemFacts(2), ieFileTime));
    EXPECT_TRUE(f.At(2, 0).HasPicture); // the movie's icon
    // A picture gone since the listing: framed and empty, its name and date still printed.
    EXPECT_FALSE(f.At(3, 0).HasPicture);
    EXPECT_EQ(f.At(3, 0).Name, QStringLiteral("gone.jpg"));
    // Without "撮影日" the date line is empty and the name stays.
    TContactSheetSettings settings = contact_sheet::Defaults();
    settings.ShowDate = false;
    f.Sheet.ApplySettings(settings, f.Folder.Path());
    f.RenderSheet(1);
    EXPECT_TRUE(f.At(0, 0).Date.isEmpty());
    EXPECT_EQ(f.At(0, 0).Name, QStringLiteral("shot.jpg"));
}

TEST(ContactSheetCells, ATreesNamesCarryTheirFolders) {
    SheetFixture f;
    f.WriteTree({{"", 1}, {"2024", 1}, {"2024/旅行", 1}});
    f.RenderSheet(1);
    const QStringList names{"p000.jpg", "2024/p000.jpg", "2024/旅行/p000.jpg"};
    for (int col = 0; col < 3; ++col) {
        EXPECT_EQ(f.At(col, 0).Name, names[col]);
    }
}

TEST(ContactSheetCells, OneByTwoAndAnEmptyFolder) {
    SheetFixture f;
    f.WritePhotos(2);
    TContactSheetSettings settings = contact_sheet::Defaults();
    settings.Layout = 0;
    f.Sheet.ApplySettings(settings, f.Folder.Path());
    f.RenderSheet(1);
    ASSERT_EQ(f.Cells.size(), 2u);
    EXPECT_EQ(f.At(0, 0).Rect.Width(), 720);
    EXPECT_EQ(f.At(0, 1).Name, QStringLiteral("p001.jpg"));

    SheetFixture empty;
    empty.ListFolder();
    EXPECT_EQ(empty.Sheet.PageCount(), 1);
    empty.RenderSheet(1);
    for (const SheetCell& cell : empty.Cells) {
        EXPECT_TRUE(cell.Name.isEmpty() && cell.Date.isEmpty() && !cell.HasPicture);
    }
    EXPECT_EQ(empty.Sheet.RenderSample().size(), QSize(794, 1123));
}

TEST(ContactSheetSettings, DefaultsAndSpoiltValues) {
    test::TempFolder dir;
    EXPECT_EQ(ReadContactSheetSettings(IniFile(dir.File(QStringLiteral("none.ini")))),
              contact_sheet::Defaults());
    EXPECT_EQ(contact_sheet::Defaults().FileFontSize, QStringLiteral(" 7"));
    EXPECT_EQ(contact_sheet::Defaults().TitleFont.Size, 20);
    EXPECT_EQ(contact_sheet::LayoutCaption(11), QStringLiteral(" 5 x 6"));
    EXPECT_EQ(contact_sheet::LayoutCaption(25), QStringLiteral(" 10 x 10"));
    for (const char* layout : {"-1", "26", "many"}) {
        const QString path =
            dir.Write(QStringLiteral("Thumbnail.ini"),
                      QByteArray("[PrintContactSheet]\nLayout=") + layout + "\nDateShow=0\n");
        const TContactSheetSettings s = ReadContactSheetSettings(IniFile(path));
        EXPECT_EQ(s.Layout, 11) << layout;
        EXPECT_FALSE(s.ShowDate);
    }
    IniFile ini(dir.File(QStringLiteral("written.ini")));
    TContactSheetSettings s = contact_sheet::Defaults();
    s.Layout = 25;
    s.ShowDate = false;
    WriteContactSheetSettings(ini, s);
    EXPECT_EQ(ReadContactSheetSettings(IniFile(ini.FileName())), s);
    const QByteArray text = dir.Read(QStringLiteral("written.ini"));
    EXPECT_LT(text.indexOf("FNShow="), text.indexOf("DateShow=0"));
}

} // namespace
} // namespace mirte
