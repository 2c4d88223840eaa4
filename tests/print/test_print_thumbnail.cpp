// The index card's settings dialog with its report form on a 600-dpi test printer: the
// controls, the size box's checks, the sample following the choices, save and reset in every
// state of the settings file, the confirmation before printing, and the preview's pages.
#include "cache/thumbnail_db.h"
#include "layouts/folder_items.h"
#include "layouts/prt_thumbnail_print.h"
#include "picture/picture_fixtures.h"
#include "print/frm_preview.h"
#include "print/frm_print_thumbnail.h"
#include "print/preview_job.h"
#include "print/print_confirm.h"
#include "report/fake_printer_device.h"
#include "report/font_substitutes.h"
#include "report/qt_printer_device.h"
#include "support/temp_folder.h"
#include "support/when_ready.h"
#include "util/ini_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

using namespace mirte;

namespace {

const QString kPaper = QString::fromUtf8(kChoosePaperMessage);
const QString kChanged = QString::fromUtf8(kPrinterChangedMessage);
const QString kBadSize = QString::fromUtf8(TfrmPrintThumbnail::kBadSizeMessage);

// The print dialog as a test answers it.
struct ScriptedPrintDialog : TPrintDialogRunner {
    bool Accept = true;
    QPageRanges Pages;               // as the user lists them; empty: all pages
    std::function<void()> WhileOpen; // what the user changes in the dialog
    int Runs = 0;
    bool Execute(bool, int pageCount, QPageRanges& pages) override {
        ++Runs;
        if (WhileOpen) {
            WhileOpen();
        }
        pages = Pages;
        if (pages.isEmpty()) {
            pages.addRange(1, pageCount);
        }
        return Accept;
    }
};

struct CountingProgress : TPrintProgress {
    int Started = 0;
    int Finished = 0;
    void Start() override { ++Started; }
    void PagePrinted(int, int, int) override {}
    bool CancelRequested() override { return false; }
    void Finish() override { ++Finished; }
};

// The dialog and its form over a folder of photos, as the main window makes them.
struct DialogFixture {
    test::TempFolder Dir;
    TThumbnailDB Db;
    test::FakePrinterDevice Printer;
    TFolderItems Items;
    IniFile Settings;
    ScriptedPrintDialog SharedDialog;
    ScriptedPrintDialog PreviewDialog;
    CountingProgress Progress;
    QStringList Messages;
    int Answer = 1;
    std::unique_ptr<TprtThumbnailPrint> Form;
    std::unique_ptr<TfrmPreview> PreviewWindow;
    std::unique_ptr<TPreviewJob> Preview;
    std::unique_ptr<TfrmPrintThumbnail> Dialog;

    explicit DialogFixture(int photos = 3, const QByteArray& ini = "[APP]\nAPPName=ミルテ\n")
        : Settings(Dir.Write(QStringLiteral("Thumbnail.ini"), ini)) {
        const QByteArray jpeg = test::EncodeWithQt(test::MakeTestPicture(160, 120), "jpg", 85);
        for (int i = 0; i < photos; ++i) {
            Dir.Write(QStringLiteral("photos/p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), jpeg);
        }
        Dir.MakeDir(QStringLiteral("photos"));
        Db.SetCacheDirectory(Dir.MakeDir(QStringLiteral("Temp")));
        Db.SetMaxCacheSize(qint64{100} * 1024);
        Items = TFolderItems::List(Dir.File(QStringLiteral("photos")), Db);
        Form = std::make_unique<TprtThumbnailPrint>(Db, Printer);
        const TAskUser ask = [this](const QString& text, TAskButtons) {
            Messages.append(text);
            return Answer;
        };
        PreviewWindow = std::make_unique<TfrmPreview>();
        Preview = std::make_unique<TPreviewJob>(
            TPreviewJob::TParts{*Form, *PreviewWindow, PreviewDialog, Progress, ask, true});
        Dialog = std::make_unique<TfrmPrintThumbnail>(
            *Form, TLayoutDialogParts{Settings, SharedDialog, Progress, *Preview, ask});
        // What the main window does before it shows the dialog.
        Form->ListView = &Items;
        Dialog->ApplySettings();
        Dialog->Prepare(Dir.File(QStringLiteral("photos")));
    }

    void TypeSize(const QString& text) {
        Dialog->CbFNSize->setEditText(text);
        QTest::keyClick(Dialog->CbFNSize->lineEdit(), Qt::Key_Return);
    }
};

} // namespace

class TestPrintThumbnail : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void controlsAsTheFormHasThem() {
        DialogFixture f;
        TfrmPrintThumbnail& d = *f.Dialog;
        QCOMPARE(d.windowTitle(), QStringLiteral("インデックスカード印刷"));
        QCOMPARE(d.size(), QSize(792, 502));
        QCOMPARE(d.CbLayout->count(), 10);
        QCOMPARE(d.CbLayout->itemText(0), QStringLiteral(" 1 x 1"));
        QCOMPARE(d.CbLayout->itemText(9), QStringLiteral(" 10 x 10"));
        QCOMPARE(d.CbLayout->currentIndex(), 5);
        QCOMPARE(d.CbFNSize->count(), 18);
        QCOMPARE(d.CbFNSize->itemText(10), QStringLiteral(" 14"));
        QCOMPARE(d.CbFNSize->currentText(), QStringLiteral(" 6"));
        QCOMPARE(d.GroupBox1->title(), QStringLiteral(" レイアウト設定 "));
        QCOMPARE(d.BtnPrint->geometry(), QRect(8, 456, 93, 41));
        QCOMPARE(d.BtnClose->text(), QStringLiteral("閉じる"));
        QCOMPARE(d.BtnSaveSetting->text(), QStringLiteral("設定保存"));
        QVERIFY(!d.EdSelectColor->isEnabled());
        QCOMPARE(d.FolderPath, f.Dir.File(QStringLiteral("photos")));
        QCOMPARE(f.Form->LThumbnailPath->Text(), d.FolderPath);
        QCOMPARE(d.Sample().size(), QSize(909, 455));
        // Enter does not break the title.
        d.EdTitle->insertPlainText(QStringLiteral("夏"));
        QTest::keyClick(d.EdTitle, Qt::Key_Return);
        d.EdTitle->insertPlainText(QStringLiteral("休み"));
        QCOMPARE(d.EdTitle->toPlainText(), QStringLiteral("夏休み"));
        QVERIFY(f.Form->LTitle->Text().isEmpty()); // not before "入力"
        d.BtnEnter->click();
        QCOMPARE(f.Form->RTitle->Text(), QStringLiteral("夏休み"));
    }

    // Usable only while the grid shows subfolders; else the saved choice stays but is not used.
    void eachFolderFollowsTheSubfoldersFlag_data() {
        QTest::addColumn<bool>("subfolders");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<int>("pages"); // photos, photos/a, photos/b: three cards by folder
        QTest::newRow("one folder, saved") << false << QByteArray("1") << 1;
        QTest::newRow("subfolders, saved") << true << QByteArray("1") << 2;
        QTest::newRow("subfolders, spoilt") << true << QByteArray("2") << 1;
    }

    void eachFolderFollowsTheSubfoldersFlag() {
        QFETCH(bool, subfolders);
        QFETCH(QByteArray, saved);
        QFETCH(int, pages);
        DialogFixture f(3, "[PrintThumbnail]\nEachFolder=" + saved + "\n");
        TfrmPrintThumbnail& d = *f.Dialog;
        const QByteArray jpeg = test::EncodeWithQt(test::MakeTestPicture(160, 120), "jpg", 85);
        f.Dir.Write("photos/a/p.jpg", jpeg);
        f.Dir.Write("photos/b/p.jpg", jpeg);
        f.Items = TFolderItems::ListTree(f.Dir.File("photos"), f.Db);
        d.SetSubfolders(subfolders);
        d.Prepare(f.Dir.File("photos")); // as the window opens it
        QCOMPARE(d.CbEachFolder->isEnabled(), subfolders);
        QCOMPARE(f.Form->PageCount(), pages);
        d.BtnSaveSetting->click();
        QCOMPARE(f.Dir.Read("Thumbnail.ini").contains("EachFolder=1"), saved == "1");
        // A click changes the cards and the sample at once, where the box can be used.
        const QImage before = d.Sample();
        d.CbEachFolder->click();
        QCOMPARE(f.Form->EachFolder, subfolders && saved != "1");
        QCOMPARE(d.Sample() != before, subfolders);
    }

    void sizeBoxChecksItsText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("2") << "2" << true;
        QTest::newRow("29") << "29" << true;
        QTest::newRow("abc") << "abc" << true;
        QTest::newRow(" 12") << " 12" << false;
        QTest::newRow("3") << "3" << false;
    }

    void sizeBoxChecksItsText() {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        DialogFixture f;
        f.TypeSize(typed);
        if (refused) {
            QCOMPARE(f.Messages, QStringList{kBadSize});
            QCOMPARE(f.Dialog->CbFNSize->currentText(), QStringLiteral(" 6"));
            QCOMPARE(f.Form->LComment->Font().Size(), 6);
        } else {
            QVERIFY(f.Messages.isEmpty());
            QCOMPARE(f.Form->LComment->Font().Size(), typed.trimmed().toInt());
            QCOMPARE(f.Form->RThumbnailPath->Font().Size(), typed.trimmed().toInt());
        }
        // Leaving the box restores a bad text without a word.
        f.Messages.clear();
        f.Dialog->CbFNSize->setEditText(QStringLiteral("99"));
        f.Dialog->CbFNSizeExit();
        QVERIFY(f.Messages.isEmpty());
        QVERIFY(ValidFontSizeText(f.Dialog->CbFNSize->currentText()));
    }

    void theSampleFollowsTheChoices() {
        DialogFixture f(40);
        TfrmPrintThumbnail& d = *f.Dialog;
        const QImage sixBySix = d.Sample();
        d.CbLayout->setCurrentIndex(9);
        d.CbLayoutChange();
        QCOMPARE(f.Form->ThumbnailLeftCenter->ColCount(), 10);
        QVERIFY(d.Sample() != sixBySix);

        const QPoint band(d.Sample().width() / 4, 440); // in the left card's label band
        QCOMPARE(d.Sample().pixelColor(band), QColor(153, 153, 255));
        test::WhenReady([&] { return d.ColorDialog->isVisible(); },
                        [&] {
                            d.ColorDialog->setCurrentColor(QColor(255, 200, 0));
                            d.ColorDialog->accept();
                        });
        d.BtnSelectColor->click();
        QCOMPARE(d.Sample().pixelColor(band), QColor(255, 200, 0));

        d.CbFNCheck->click();
        QVERIFY(!f.Form->ShowFileName);

        // The font dialog's choice becomes both titles' font.
        test::WhenReady([&] { return d.FontDialog->isVisible(); },
                        [&] {
                            QFont chosen(QStringLiteral("IPAPMincho"));
                            chosen.setPointSize(22);
                            chosen.setUnderline(true);
                            d.FontDialog->setCurrentFont(chosen);
                            d.FontDialog->accept();
                        });
        d.BtnFont->click();
        QCOMPARE(d.TitleFont.Size, 22);
        QVERIFY(d.TitleFont.Underline);
        QCOMPARE(f.Form->RTitle->Font().Size(), 22);
        QVERIFY(f.Form->LTitle->Font().Underline);
    }

    // The font dialog opens on the family the title is drawn with, in its style and size, and
    // OK without a change leaves the title as it was.
    void theFontDialogOpensOnTheTitlesFont_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<bool>("bold");
        QTest::newRow("the default, a substitute") << QStringLiteral("ＭＳ Ｐゴシック") << false;
        QTest::newRow("bold, drawn by a face without bold")
            << QStringLiteral("ＭＳ Ｐ明朝") << true;
        QTest::newRow("a face not installed") << QStringLiteral("No Such Face 22") << false;
        QTest::newRow("an installed face") << QStringLiteral("IPAPMincho") << false;
    }

    void theFontDialogOpensOnTheTitlesFont() {
        QFETCH(QString, face);
        QFETCH(bool, bold);
        DialogFixture f;
        TfrmPrintThumbnail& d = *f.Dialog;
        d.TitleFont.Name = face;
        d.TitleFont.Bold = bold;
        d.TitleFont.Size = 20;
        const TTitleFont before = d.TitleFont;
        QFont asked(face);
        asked.setBold(bold);
        const QString drawn = QFontInfo(asked).family();
        QFont opened;
        test::WhenReady([&] { return d.FontDialog->isVisible(); },
                        [&] {
                            opened = d.FontDialog->currentFont();
                            d.FontDialog->accept();
                        });
        d.BtnFont->click();
        QCOMPARE(opened.family(), drawn);
        QCOMPARE(opened.pointSize(), 20);
        QCOMPARE(d.TitleFont.Name, face);
        QVERIFY(d.TitleFont == before);
        QCOMPARE(f.Form->LTitle->Font().Name, face);
    }

    void saveAndResetFollowTheSettingsFile() {
        DialogFixture f;
        TfrmPrintThumbnail& d = *f.Dialog;
        d.EdTitle->setPlainText(QStringLiteral("家族"));
        d.CbLayout->setCurrentIndex(2);
        d.TitleFont.Color = QColor(200, 0, 0);
        d.BtnSaveSetting->click();
        IniFile saved(f.Settings.FileName());
        QCOMPARE(saved.ReadString("PrintThumbnail", "Title", QString()), QStringLiteral("家族"));
        QCOMPARE(saved.ReadInteger("PrintThumbnail", "Layout", -1), 2);
        QCOMPARE(saved.ReadInteger("PrintThumbnail", "FontColor", -1), 200);
        QCOMPARE(saved.ReadString("APP", "APPName", QString()), QStringLiteral("ミルテ"));

        // Reset with a writable file: the section goes, the defaults come back, black included.
        d.BtnReset->click();
        QVERIFY(!IniFile(f.Settings.FileName()).SectionExists("PrintThumbnail"));
        QCOMPARE(d.CbLayout->currentIndex(), 5);
        QVERIFY(d.EdTitle->toPlainText().isEmpty());
        QCOMPARE(d.TitleFont.Color, QColor(Qt::black));

        // Read-only: saving writes nothing, reset keeps the title's colour.
        QFile::setPermissions(f.Settings.FileName(), QFileDevice::ReadOwner);
        const QByteArray before = f.Dir.Read(QStringLiteral("Thumbnail.ini"));
        d.TitleFont.Color = QColor(0, 0, 200);
        d.EdTitle->setPlainText(QStringLiteral("旅行"));
        d.BtnSaveSetting->click();
        QCOMPARE(f.Dir.Read(QStringLiteral("Thumbnail.ini")), before);
        d.BtnReset->click();
        QVERIFY(d.EdTitle->toPlainText().isEmpty());
        QCOMPARE(d.TitleFont.Color, QColor(0, 0, 200));
        QVERIFY(f.Messages.isEmpty());
    }

    void aMissingSettingsFileIsNeitherReadNorMade() {
        DialogFixture f;
        QFile::remove(f.Settings.FileName());
        f.Settings.Reload();
        f.Dialog->BtnSaveSetting->click();
        QVERIFY(!QFile::exists(f.Settings.FileName()));
        f.Dialog->BtnReset->click();
        QCOMPARE(f.Dialog->CbLayout->currentIndex(), 5);
    }

    void printingAsksForThePaperAndPrintsTheRange() {
        DialogFixture f(145); // at 6 x 6: three pages
        QCOMPARE(f.Form->PageCount(), 3);
        f.SharedDialog.Pages.addRange(2, 3);
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages, QStringList{kPaper});
        QCOMPARE(f.Printer.Pages.size(), size_t(2));
        QCOMPARE(f.Progress.Started, 1);
        QCOMPARE(f.Progress.Finished, 1);
        QCOMPARE(f.Printer.Orientation(), TPrinterOrientation::poLandscape);

        // Only pages past the last: the user hears why, and nothing is printed.
        f.Messages.clear();
        f.SharedDialog.Pages = QPageRanges();
        f.SharedDialog.Pages.addRange(4, 9);
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages, (QStringList{kPaper, QString::fromUtf8(kNoSuchPagesMessage)}));
        QCOMPARE(f.Progress.Started, 1);

        // Cancelled in the print dialog: nothing more.
        f.Messages.clear();
        f.SharedDialog.Accept = false;
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages, QStringList{kPaper});
        QCOMPARE(f.Progress.Started, 1);
    }

    void aPrinterChangedInTheDialogMustBeConfirmed() {
        DialogFixture f;
        // Another printer with other margins; then "キャンセル" in the warning prints nothing
        // but leaves the page laid out for it.
        f.SharedDialog.WhileOpen = [&] { f.Printer.Scale = 50; };
        f.Answer = 2;
        const QImage before = f.Dialog->Sample();
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages, (QStringList{kPaper, kChanged}));
        QVERIFY(f.Printer.Pages.empty());
        QCOMPARE(f.Form->LightRep().Width(), 2245);
        QCOMPARE(f.Dialog->Sample().size(), before.size());
        // "OK" goes on; and choosing nothing new prints without the warning.
        f.SharedDialog.WhileOpen = [&] { f.Printer.Scale = 100; };
        f.Answer = 1;
        f.Messages.clear();
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages, (QStringList{kPaper, kChanged}));
        QCOMPARE(f.Printer.Pages.size(), size_t(1));
        f.SharedDialog.WhileOpen = nullptr;
        f.Messages.clear();
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages, QStringList{kPaper});
    }

    void aFailedJobIsReportedAndAborted() {
        DialogFixture f;
        // A driver chosen in the dialog that refuses the job's orientation.
        f.SharedDialog.WhileOpen = [&] { f.Printer.AcceptsPaper = false; };
        f.Dialog->BtnPrint->click();
        QCOMPARE(f.Messages.last(), QStringLiteral("用紙設定ができません!!"));
        QCOMPARE(f.Progress.Finished, f.Progress.Started);
        QVERIFY(!f.Printer.Printing());
    }

    void previewStepsThroughThePagesAndPrints() {
        DialogFixture f(73);
        TfrmPreview& window = *f.PreviewWindow;
        QStringList counters;
        test::WhenReady([&] { return window.isVisible(); },
                        [&] {
                            counters << window.pnlPageNumber->text();
                            QVERIFY(!window.btnPrevios->isEnabled());
                            window.btnNext->click();
                            counters << window.pnlPageNumber->text();
                            QVERIFY(!window.btnNext->isEnabled());
                            window.btnPrintOut->click(); // from the form's own dialog
                            counters << window.pnlPageNumber->text();
                            window.btnFirst->click();
                            counters << window.pnlPageNumber->text();
                            window.close();
                        });
        f.Dialog->BtnPreview->click();
        QCOMPARE(counters, (QStringList{"1/2", "2/2", "2/2", "1/2"}));
        QCOMPARE(f.PreviewDialog.Runs, 1);
        QCOMPARE(f.SharedDialog.Runs, 0);
        QCOMPARE(f.Printer.Pages.size(), size_t(2));
        QCOMPARE(f.Form->CurrentPage, 1);
        QVERIFY(window.PageImage().isNull()); // let go once closed
    }

    void qtsPrintDialogGivesThePagesAsListed_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pages");
        QTest::newRow("all") << QString() << "1-14";
        QTest::newRow("1,3") << "1,3"
                             << "1,3";
        QTest::newRow("2-3,5") << "2-3,5"
                               << "2-3,5";
        QTest::newRow("cancelled") << "-" << QString(); // nothing is printed
    }

    void qtsPrintDialogGivesThePagesAsListed() {
        QFETCH(QString, typed);
        QFETCH(QString, pages);
        test::TempFolder dir;
        auto printer = TQtPrinterDevice::ForPdfFile(dir.File("out.pdf"), QPageSize(QPageSize::A4));
        QPrintDialog dialog(&printer->Printer());
        TQtPrintDialogRunner runner(dialog, *printer);
        bool offered = false;
        bool paperOffered = false;
        test::WhenReady([&] { return dialog.isVisible(); },
                        [&] {
                            // After "用紙にはA4もしくはレターを選択してください。" the dialog
                            // offers the paper: its page-size properties are there.
                            auto* properties = dialog.findChild<QPushButton*>("properties");
                            paperOffered =
                                properties != nullptr && properties->isVisibleTo(&dialog);
                            QCOMPARE(dialog.minPage(), 1);
                            QCOMPARE(dialog.maxPage(), 14);
                            // The dialog's own "Pages" field, as the user fills it in.
                            auto* listed = dialog.findChild<QRadioButton*>("pagesRadioButton");
                            auto* list = dialog.findChild<QLineEdit*>("pagesLineEdit");
                            QVERIFY(listed != nullptr && list != nullptr);
                            offered = listed->isEnabled();
                            if (typed == "-") {
                                dialog.reject();
                                return;
                            }
                            if (!typed.isEmpty() && offered) {
                                listed->click();
                                list->setText(typed);
                            }
                            dialog.accept();
                        });
        QPageRanges chosen;
        QCOMPARE(runner.Execute(true, 14, chosen), !pages.isEmpty());
        QVERIFY(paperOffered);
        if (pages.isEmpty()) {
            return;
        }
        if (!typed.isEmpty() && !offered) {
            QSKIP("Qt's dialog offers a list of pages only for a queue of the print system");
        }
        QCOMPARE(chosen.toString(), pages);
    }

    // The window's two print dialogs work on one printer. To a file from one, to another file,
    // then from the other with nothing changed in it (it still shows the queue): the page stays
    // the same, and no change is reported.
    void nothingThatMovesThePageIsNoChange() {
        if (QPrinterInfo::availablePrinterNames().isEmpty()) {
            QSKIP("no print queue here");
        }
        test::TempFolder dir;
        TThumbnailDB db;
        TFolderItems items;
        auto printer = TQtPrinterDevice::ForPrinter(QString());
        TprtThumbnailPrint form(db, *printer);
        form.ListView = &items;
        form.ApplyLayoutOrientation(); // as the dialog is prepared
        QPrintDialog shared(&printer->Printer());
        QPrintDialog preview(&printer->Printer());
        QStringList messages;
        const TAskUser ask = [&](const QString& text, TAskButtons) {
            messages << text;
            return 2; // "キャンセル": nothing is printed here
        };
        const auto confirm = [&](QPrintDialog& dialog, const QString& file) {
            test::WhenReady([&] { return dialog.isVisible(); },
                            [&] {
                                auto* printers = dialog.findChild<QComboBox*>("printers");
                                if (!file.isEmpty()) {
                                    printers->setCurrentIndex(printers->count() - 1);
                                    dialog.findChild<QLineEdit*>("filename")->setText(file);
                                }
                                dialog.accept();
                            });
            TQtPrintDialogRunner runner(dialog, *printer);
            QPageRanges pages;
            PrintConfirm({form, runner, true, {}, ask}, pages);
        };
        confirm(shared, dir.File("first.pdf"));
        QCOMPARE(printer->Name(), dir.File("first.pdf"));
        confirm(shared, dir.File("second.pdf"));
        confirm(preview, QString());
        QCOMPARE(messages, (QStringList{kPaper, kPaper, kPaper}));
    }

private:
    static bool ValidFontSizeText(const QString& text) {
        const int size = text.trimmed().toInt();
        return size >= 3 && size <= 28;
    }
};

QTEST_MAIN(TestPrintThumbnail)
#include "test_print_thumbnail.moc"
