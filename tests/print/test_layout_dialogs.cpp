// The back card's and the contact sheet's dialogs where they differ from the index card's: the
// arrangements and quarter turns of the back card, its one-page print and preview; the contact
// sheet's date box, sizes and portrait pages.
#include "cache/thumbnail_db.h"
#include "layouts/folder_items.h"
#include "layouts/prt_contact_sheet_print.h"
#include "layouts/prt_jacket_print.h"
#include "picture/picture_fixtures.h"
#include "print/frm_contact_sheet_print.h"
#include "print/frm_jacket_print.h"
#include "print/frm_preview.h"
#include "print/preview_job.h"
#include "print/print_confirm.h"
#include "report/fake_printer_device.h"
#include "report/font_substitutes.h"
#include "support/temp_folder.h"
#include "support/when_ready.h"
#include "util/ini_file.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace mirte;

namespace {

struct RecordingPrintDialog : TPrintDialogRunner {
    QList<bool> PageRanges; // what each showing offered
    bool Execute(bool pageRange, int pageCount, QPageRanges& pages) override {
        PageRanges.append(pageRange);
        pages = QPageRanges();
        pages.addRange(1, pageCount);
        return true;
    }
};

struct NoProgress : TPrintProgress {
    void Start() override {}
    void PagePrinted(int, int, int) override {}
    bool CancelRequested() override { return false; }
    void Finish() override {}
};

// What both dialogs stand on: a settings file, the test printer, the print dialog and preview.
struct DialogBase {
    test::TempFolder Dir;
    IniFile Settings;
    test::FakePrinterDevice Printer;
    RecordingPrintDialog SharedDialog;
    RecordingPrintDialog PreviewDialog;
    NoProgress Progress;
    QStringList Messages;
    TfrmPreview PreviewWindow;
    explicit DialogBase(const QByteArray& ini)
        : Settings(Dir.Write(QStringLiteral("Thumbnail.ini"), "[APP]\nAPPName=ミルテ\n" + ini)) {}
    TAskUser Ask() {
        return [this](const QString& text, TAskButtons) {
            Messages.append(text);
            return 1;
        };
    }
};

struct JacketDialogFixture : DialogBase {
    TprtJacketPrint Form{Printer};
    TPreviewJob Preview{{Form, PreviewWindow, PreviewDialog, Progress, Ask(), false}};
    TfrmJacketPrint Dialog{Form, {Settings, SharedDialog, Progress, Preview, Ask()}};
    QImage Picture = test::MakeTestPicture(512, 384);

    explicit JacketDialogFixture(const QByteArray& ini = QByteArray()) : DialogBase(ini) {
        Dialog.SetPicture({Picture, {}}, Dir.Path()); // as the main window hands it over
    }
    bool Upright() const { return Dialog.WorkBitmap.convertToFormat(Picture.format()) == Picture; }
};

struct ContactDialogFixture : DialogBase {
    TThumbnailDB Db;
    TFolderItems Items;
    std::unique_ptr<TprtContactSheetPrint> Form;
    std::unique_ptr<TPreviewJob> Preview;
    std::unique_ptr<TfrmContactSheetPrint> Dialog;

    explicit ContactDialogFixture(int photos) : DialogBase(QByteArray()) {
        const QByteArray jpeg = test::EncodeWithQt(test::MakeTestPicture(160, 120), "jpg", 85);
        for (int i = 0; i < photos; ++i) {
            Dir.Write(QStringLiteral("photos/p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), jpeg);
        }
        Db.SetCacheDirectory(Dir.MakeDir(QStringLiteral("Temp")));
        Db.SetMaxCacheSize(100 * 1024);
        Items = TFolderItems::List(Dir.MakeDir(QStringLiteral("photos")), Db);
        Form = std::make_unique<TprtContactSheetPrint>(Db, Printer);
        Preview = std::make_unique<TPreviewJob>(
            TPreviewJob::TParts{*Form, PreviewWindow, PreviewDialog, Progress, Ask(), true});
        Dialog = std::make_unique<TfrmContactSheetPrint>(
            *Form, TLayoutDialogParts{Settings, SharedDialog, Progress, *Preview, Ask()});
        Form->ListView = &Items;
        Dialog->ApplySettings();
        Dialog->Prepare(Dir.File(QStringLiteral("photos")));
    }
};

} // namespace

class TestLayoutDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void jacketControls() {
        JacketDialogFixture f;
        QCOMPARE(f.Dialog.windowTitle(), QStringLiteral("バックカード印刷"));
        QCOMPARE(f.Dialog.size(), QSize(752, 502));
        QCOMPARE(f.Dialog.CbLayout->count(), 4);
        QCOMPARE(f.Dialog.CbLayout->itemText(1), QStringLiteral(" 写真下"));
        QCOMPARE(f.Dialog.BtnTrimming->geometry(), QRect(24, 104, 77, 25));
        QCOMPARE(f.Dialog.BtnTrimming->text(), QStringLiteral("回転"));
        QVERIFY(f.Dialog.CbFNSize == nullptr);
        QCOMPARE(f.Dialog.Sample().size(), QSize(603, 443));
        QCOMPARE(f.Printer.Orientation(), TPrinterOrientation::poPortrait);
    }

    void jacketArrangementIsSavedAsItsEntry() {
        JacketDialogFixture f;
        f.Dialog.CbLayout->setCurrentIndex(1); // " 写真下"
        f.Dialog.CbLayoutChange();
        QCOMPARE(f.Form.LayoutCode, 2);
        f.Dialog.BtnSaveSetting->click();
        QCOMPARE(IniFile(f.Settings.FileName()).ReadInteger("PrintJacket", "Layout", -9), 1);
        // An entry outside the box selects nothing and lays the card out with code 3.
        JacketDialogFixture seven("[PrintJacket]\nLayout=7\n");
        QCOMPARE(seven.Dialog.CbLayout->currentIndex(), -1);
        QCOMPARE(seven.Form.LayoutCode, 3);
    }

    void jacketTurnsAndTheirReset() {
        JacketDialogFixture f;
        for (int i = 1; i <= 4; ++i) {
            f.Dialog.BtnTrimming->click();
            QCOMPARE(f.Dialog.Rotation, i % 4);
            QCOMPARE(f.Dialog.WorkBitmap.width(), i % 2 == 1 ? 384 : 512);
            QCOMPARE(f.Form.JacketImage->Picture().size(), f.Dialog.WorkBitmap.size());
        }
        QVERIFY(f.Upright());
        // Saved turns; reset after two turns: upright first, then the defaults.
        f.Dialog.BtnTrimming->click();
        f.Dialog.BtnTrimming->click();
        f.Dialog.BtnSaveSetting->click();
        QCOMPARE(IniFile(f.Settings.FileName()).ReadInteger("PrintJacket", "RotateCount", -9), 2);
        f.Dialog.BtnReset->click();
        QCOMPARE(f.Dialog.Rotation, 0);
        QVERIFY(f.Upright());
        QVERIFY(!IniFile(f.Settings.FileName()).SectionExists("PrintJacket"));
    }

    void jacketSavedTurnsApplyToTheNextPicture_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("width");
        QTest::newRow("5 is one") << QByteArray("[PrintJacket]\nRotateCount=5\n") << 1 << 384;
        QTest::newRow("-1 is three") << QByteArray("[PrintJacket]\nRotateCount=-1\n") << 3 << 384;
        QTest::newRow("2") << QByteArray("[PrintJacket]\nRotateCount=2\n") << 2 << 512;
    }

    void jacketSavedTurnsApplyToTheNextPicture() {
        QFETCH(QByteArray, ini);
        QFETCH(int, rotation);
        QFETCH(int, width);
        JacketDialogFixture f(ini);
        QCOMPARE(f.Dialog.Rotation, rotation);
        QCOMPARE(f.Dialog.WorkBitmap.width(), width);
        QCOMPARE(f.Dialog.WorkBitmap, TurnedClockwise(f.Picture, rotation));
    }

    void jacketPrintsOnePageWithoutARange() {
        JacketDialogFixture f;
        f.Dialog.BtnPrint->click();
        QCOMPARE(f.SharedDialog.PageRanges, QList<bool>{false});
        QCOMPARE(f.Printer.Pages.size(), size_t(1));
        // The preview shows page 1 of 1 and prints from the form's own dialog.
        test::WhenReady([&] { return f.PreviewWindow.isVisible(); },
                        [&] {
                            QCOMPARE(f.PreviewWindow.pnlPageNumber->text(), QStringLiteral("1/1"));
                            QVERIFY(!f.PreviewWindow.btnNext->isEnabled());
                            f.PreviewWindow.btnPrintOut->click();
                            f.PreviewWindow.close();
                        });
        f.Dialog.BtnPreview->click();
        QCOMPARE(f.PreviewDialog.PageRanges, QList<bool>{false});
        QCOMPARE(f.Printer.Pages.size(), size_t(1)); // the second job's one page
    }

    void jacketWithoutAPicture() {
        JacketDialogFixture f;
        f.Dialog.SetPicture({}, f.Dir.Path());
        QVERIFY(f.Form.JacketImage->Picture().isNull());
        f.Dialog.BtnTrimming->click(); // nothing to turn, nothing breaks
        f.Dialog.BtnPrint->click();
        QCOMPARE(f.Printer.Pages.size(), size_t(1));
    }

    void contactSheetControlsAndChoices() {
        ContactDialogFixture f(31);
        TfrmContactSheetPrint& d = *f.Dialog;
        QCOMPARE(d.windowTitle(), QStringLiteral("コンタクトシート印刷"));
        QCOMPARE(d.size(), QSize(750, 502));
        QCOMPARE(d.CbLayout->count(), 26);
        QCOMPARE(d.CbLayout->currentText(), QStringLiteral(" 5 x 6"));
        QCOMPARE(d.CbFNSize->currentText(), QStringLiteral(" 7"));
        QCOMPARE(d.CbDateCheck->text(), QStringLiteral("撮影日"));
        QCOMPARE(d.CbDateCheck->pos(), QPoint(16, 104));
        QCOMPARE(d.Sample().size(), QSize(794, 1123));
        QCOMPARE(f.Form->PageCount(), 2);
        d.CbDateCheck->click();
        QVERIFY(!f.Form->ShowDate);
        QVERIFY(f.Form->ShowFileName);
        // A bad size goes back to the file names' size, 7.
        d.CbFNSize->setEditText(QStringLiteral("30"));
        QTest::keyClick(d.CbFNSize->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.Messages.size(), 1);
        QCOMPARE(d.CbFNSize->currentText(), QStringLiteral(" 7"));
        // Printing: portrait pages with a range offered.
        f.Messages.clear();
        d.BtnPrint->click();
        QCOMPARE(f.SharedDialog.PageRanges, QList<bool>{true});
        QCOMPARE(f.Printer.Pages.size(), size_t(2));
        QCOMPARE(f.Printer.Orientation(), TPrinterOrientation::poPortrait);
    }
};

QTEST_MAIN(TestLayoutDialogs)
#include "test_layout_dialogs.moc"
