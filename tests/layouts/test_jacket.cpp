// The back card's report form: the card centred at the top of a portrait page, the four
// arrangements of its face, the spines, the sample, the quarter turns and the one-page job.
#include "layouts/prt_jacket_print.h"
#include "picture/picture_fixtures.h"
#include "report/fake_printer_device.h"
#include "report/lr_error.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/ini_file.h"

#include <gtest/gtest.h>

namespace mirte {
namespace {

// The back card on the 600-dpi A4 test printer, portrait, with a 512 x 384 picture.
struct JacketFixture {
    test::FakePrinterDevice Printer;
    TprtJacketPrint Form{Printer};
    JacketFixture() {
        Form.AssignPicture(test::MakeTestPicture(512, 384));
        TJacketSettings settings = jacket::Defaults();
        settings.Title = QStringLiteral("夏休み");
        Form.ApplySettings(settings);
    }
    void Arrange(int entry) {
        TJacketSettings settings = jacket::Defaults();
        settings.Layout = entry;
        Form.ApplySettings(settings);
    }
};

TEST(JacketLayout, TheCardIsCentredAtTheTopOfTheContent) {
    JacketFixture f;
    TprtJacketPrint& form = f.Form;
    EXPECT_EQ(form.LightRep().Width(), 794);
    EXPECT_EQ(form.SpacePanel2->Width(), 720);
    // 37 + 77 = 114 units from the paper's left edge, 37 from its top.
    EXPECT_EQ(37 + form.SpacePanel4->Width(), 114);
    EXPECT_EQ(37 + form.SpacePanel2->Top() + form.JacketPanel->Top(), 37);
    EXPECT_EQ(form.JacketPanelCenter->BoundsRect(), (TEdgeRect{22, 0, 543, 442}));
    EXPECT_EQ(form.JacketPanelRight2->BoundsRect(), (TEdgeRect{565, 0, 602, 442}));
    EXPECT_EQ(form.RJacketBack2->BoundsRect(), (TEdgeRect{565, 2, 602, 440}));
    EXPECT_EQ(form.LJacketTitle->BoundsRect(), (TEdgeRect{2, 18, 19, 420}));
    EXPECT_EQ(form.RJacketTitle->BoundsRect(), (TEdgeRect{0, 19, 17, 421}));
    EXPECT_EQ(form.RJacketTitle->Text(), QStringLiteral("夏休み"));
    EXPECT_EQ(form.LJacketTitle->Escapement, TEscapementStatus::esLeft);
    EXPECT_TRUE(form.JacketPath->Text().isEmpty()); // the band carries no text
}

TEST(JacketLayout, EachArrangementPlacesTheFace) {
    struct Row {
        int entry;
        int code;
        TEdgeRect picture; // the 4:3 picture fitted into the code's box
        int firstLineTop;
    };
    for (const Row& r :
         {Row{0, 0, {97, 57, 425, 303}, 321}, Row{1, 2, {97, 158, 425, 404}, 57},
          Row{2, 1, {34, 138, 250, 300}, 40}, Row{3, 3, {280, 141, 488, 297}, 40},
          Row{7, 3, {280, 141, 488, 297}, 40}, Row{-1, 3, {280, 141, 488, 297}, 40}}) {
        JacketFixture f;
        f.Arrange(r.entry);
        EXPECT_EQ(f.Form.LayoutCode, r.code) << r.entry;
        EXPECT_EQ(f.Form.JacketImage->BoundsRect(), r.picture) << r.entry;
        EXPECT_EQ(f.Form.JacketLine[0]->Top(), r.firstLineTop) << r.entry;
        const TEdgeRect lines = TprtJacketPrint::Box(r.code, 2);
        EXPECT_EQ(f.Form.JacketLine[3]->Top(), lines.Top + 3 * (lines.Height() / 4));
        EXPECT_EQ(f.Form.JacketTitle->Height(), 38);
        EXPECT_EQ(f.Form.CJacketBack2->BoundsRect(), (TEdgeRect{0, 416, 521, 442}));
    }
}

TEST(JacketPicture, QuarterTurnsComeBackUpright) {
    const QImage picture = test::MakeTestPicture(40, 30);
    const QImage once = TurnedClockwise(picture, 1);
    ASSERT_EQ(once.size(), QSize(30, 40));
    // The pixel at (x, y) of a W x H picture goes to (H - 1 - y, x).
    EXPECT_EQ(once.pixel(30 - 1 - 5, 7), picture.pixel(7, 5));
    EXPECT_EQ(TurnedClockwise(picture, -1), TurnedClockwise(picture, 3));
    EXPECT_EQ(TurnedClockwise(TurnedClockwise(picture, 3), 1).convertToFormat(picture.format()),
              picture);
    QImage turned = picture;
    for (int i = 0; i < 4; ++i) {
        turned = TurnedClockwise(turned, 1);
    }
    EXPECT_EQ(turned.convertToFormat(picture.format()), picture);
    EXPECT_TRUE(TurnedClockwise(QImage(), 1).isNull());
}

TEST(JacketSettings, TurnsAreTakenIntoAQuarterAndTheLayoutEntryIsKept) {
    struct Row {
        const char* text;
        int layout;
        int turns;
    };
    for (const Row& r :
         {Row{"Layout=1\nRotateCount=5\n", 1, 1}, Row{"Layout=7\nRotateCount=-1\n", 7, 3},
          Row{"RotateCount=4\n", 0, 0}, Row{"RotateCount=two\nLayout=x\n", 0, 0}}) {
        test::TempFolder dir;
        const QString path =
            dir.Write(QStringLiteral("Thumbnail.ini"), QByteArray("[PrintJacket]\n") + r.text);
        const TJacketSettings s = ReadJacketSettings(IniFile(path));
        EXPECT_EQ(s.Layout, r.layout) << r.text;
        EXPECT_EQ(s.RotateCount, r.turns) << r.text;
    }
    test::TempFolder dir;
    IniFile ini(dir.File(QStringLiteral("Thumbnail.ini")));
    TJacketSettings s = jacket::Defaults();
    s.Layout = 1;
    s.RotateCount = 2;
    WriteJacketSettings(ini, s);
    EXPECT_EQ(ReadJacketSettings(IniFile(ini.FileName())), s);
    const QByteArray text = dir.Read(QStringLiteral("Thumbnail.ini"));
    EXPECT_LT(text.indexOf("FontChar="), text.indexOf("RotateCount=2"));
}

TEST(JacketPages, SampleOnThePanelsColourAndOnePrintedPage) {
    JacketFixture f;
    const QColor panel(212, 208, 200);
    const QImage sample = f.Form.RenderSample(panel);
    EXPECT_EQ(sample.size(), QSize(603, 443));
    EXPECT_EQ(sample.pixelColor(600, 0), panel);                // above the shorter strip
    EXPECT_EQ(sample.pixelColor(10, 8), QColor(153, 153, 255)); // the left spine
    EXPECT_EQ(f.Form.PageCount(), 1);
    f.Form.PrintJacket();
    EXPECT_EQ(f.Printer.Pages.size(), 1u);
    EXPECT_EQ(f.Printer.Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_EQ(f.Printer.Title, QStringLiteral("バックカード印刷"));
    // A driver that refuses the job's orientation: no job, the error raised.
    f.Printer.AcceptsPaper = false;
    EXPECT_THROW(f.Form.PrintJacket(), ELRError);
    EXPECT_FALSE(f.Printer.Printing());
    EXPECT_EQ(f.Form.LightRep().State(), TReportState::rsIdle);
}

TEST(JacketPages, ACardWithoutAPictureStillPrints) {
    test::FakePrinterDevice printer;
    TprtJacketPrint form(printer);
    form.AssignPicture(QImage());
    form.ApplySettings(jacket::Defaults());
    EXPECT_TRUE(form.JacketImage->Picture().isNull());
    form.PrintJacket();
    EXPECT_EQ(printer.Pages.size(), 1u);
}

} // namespace
} // namespace mirte
