// Pictures of the print windows as the program shows them: the main window on a folder, the
// index card dialog over it, and the preview page by page. Not a test: run it under xvfb-run
// (the screen is grabbed as a person would see it).
//   print_screenshots FOLDER OUTDIR

#include "print/frm_preview.h"
#include "print/frm_print_thumbnail.h"
#include "print/print_windows.h"
#include "report/font_substitutes.h"
#include "shell/frm_thumbnail.h"
#include "support/when_ready.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace mirte;

namespace {

void GrabScreen(const QString& file) {
    QTest::qWait(400);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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
    options.StartFolder = folder;
    TfrmThumbnail window(options);
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
                        dialog.close();
                    });
    window.BtnPrintThumbnail->click();
    return 0;
}
