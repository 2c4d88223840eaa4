// Pictures of the print windows as the program shows them: the main window on a folder, the
// index card dialog over it, the preview page by page, Qt's print dialog; then the card is
// printed for real through that dialog, to the default queue and to OUTDIR/card.pdf. Not a
// test: run it under xvfb-run (the screen is grabbed as a person would see it).
//   print_screenshots FOLDER OUTDIR
// It then shows the back card (of the first picture, turned once) and the contact sheet.

#include "browse/thumb_list_view.h"
#include "print/frm_contact_sheet_print.h"
#include "print/frm_jacket_print.h"
#include "print/frm_preview.h"
#include "print/frm_print_thumbnail.h"
#include "print/print_windows.h"
#include "report/font_substitutes.h"
#include "shell/frm_thumbnail.h"
#include "support/when_ready.h"
#include "util/ui_language.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>

using namespace mirte;

namespace {

void GrabScreen(const QString& file) {
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

// Answers Qt's print dialog when it shows: to the queue it offers, or into a PDF file.
void AnswerPrintDialog(const QString& shot, const QString& pdfFile) {
    test::WhenReady([] { return qobject_cast<QPrintDialog*>(QApplication::activeModalWidget()); },
                    [=] {
                        auto* dialog =
                            qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                        if (!pdfFile.isEmpty()) {
                            auto* printers =
                                dialog->findChild<QComboBox*>(QStringLiteral("printers"));
                            auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
                            if (printers != nullptr && file != nullptr) {
                                printers->setCurrentIndex(printers->count() - 1); // to a file
                                file->setText(pdfFile);
                            }
                        }
                        GrabScreen(shot);
                        dialog->accept();
                    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallUiLanguage(DesktopUiLanguage(), app); // LANG=en_US.UTF-8 for the English windows
    InstallFontSubstitutes();
    if (argc < 3) {
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    QTemporaryDir program;
    TWindowOptions options;
    options.Paths.ExeDir = program.path() + QLatin1Char('/');
    options.Paths.ExeName = options.Paths.ExeDir + QStringLiteral("mirte");
    options.Paths.IniFileName = options.Paths.ExeDir + QStringLiteral("Thumbnail.ini");
    options.Paths.DefaultCacheDir = options.Paths.ExeDir + QStringLiteral("Temp");
    options.StartPath = folder;
    TfrmThumbnail window(options);
    // The messages ("A4 or Letter", a printer change) are answered "OK" and written out.
    window.SetMessageFunction([](const QString& text, const std::vector<std::uint8_t>&) {
        std::printf("message: %s\n", qUtf8Printable(text));
        return 1;
    });
    window.show();
    while (!window.LoadFinished()) {
        QTest::qWait(50);
    }
    GrabScreen(out + "/main.png");

    TfrmPrintThumbnail& dialog = window.PrintWindows().FrmPrintThumbnail();
    TfrmPreview& preview = window.PrintWindows().Preview();
    test::WhenReady([&] { return dialog.isVisible(); },
                    [&] {
                        GrabScreen(out + "/index_card.png");
                        test::WhenReady([&] { return preview.isVisible(); },
                                        [&] {
                                            GrabScreen(out + "/preview_1.png");
                                            preview.btnNext->click();
                                            GrabScreen(out + "/preview_2.png");
                                            preview.close();
                                        });
                        dialog.BtnPreview->click();
                        AnswerPrintDialog(out + "/print_dialog.png", QString());
                        dialog.BtnPrint->click();
                        AnswerPrintDialog(out + "/print_dialog_file.png", out + "/card.pdf");
                        dialog.BtnPrint->click();
                        dialog.close();
                    });
    window.BtnPrintThumbnail->click();

    // The back card of the first picture, turned once, and the contact sheet.
    TfrmJacketPrint& jacket = window.PrintWindows().FrmJacketPrint();
    test::WhenReady([&] { return jacket.isVisible(); },
                    [&] {
                        jacket.BtnTrimming->click();
                        GrabScreen(out + "/jacket.png");
                        jacket.close();
                    });
    window.ThumbList().SetSelected(0);
    window.BtnPrintJacket->click();
    TfrmContactSheetPrint& sheet = window.PrintWindows().FrmContactSheetPrint();
    test::WhenReady([&] { return sheet.isVisible(); },
                    [&] {
                        GrabScreen(out + "/contact_sheet.png");
                        sheet.close();
                    });
    window.BtnContact->click();
    return 0;
}
