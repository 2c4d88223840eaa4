// Saves pictures of the shell's windows into a folder, to look at them by eye (Japanese text,
// layout). Not a test: run it under xvfb-run or on a desktop.
//   shell_screenshots OUTDIR [PHOTOS]
// With a folder of PHOTOS also the main window showing them at each thumbnail size, from the
// cache (the folder is loaded once to fill it first): grid_0.png (large) to grid_2.png, then
// with its subfolders shown (grid_tree.png) and the View menu with that switch (view_menu.png).

#include "cache/icon_bitmap.h"
#include "cache/thumbnail_db.h"
#include "dialog_driver.h"
#include "report/font_substitutes.h"
#include "shell/frm_cache.h"
#include "shell/frm_gauge.h"
#include "shell/frm_logo.h"
#include "shell/frm_select_cache_path.h"
#include "shell/frm_thumbnail.h"
#include "shell/frm_version.h"
#include "util/ini_file.h"
#include "util/ui_language.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace mirte;
using namespace mirte::test;

namespace {

void Save(QWidget& window, const QString& file) {
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    QTest::qWait(200);
    window.grab().save(file);
}

// The main window on a folder seen before, at each of the thumbnail sizes.
void SaveGrids(const QString& photos, const QString& out) {
    QTemporaryDir program;
    TWindowOptions options;
    options.Paths.ExeDir = program.path() + QStringLiteral("/");
    options.Paths.ExeName = program.filePath(QStringLiteral("mirte"));
    options.Paths.IniFileName = program.filePath(QStringLiteral("Thumbnail.ini"));
    options.Paths.DefaultCacheDir = program.filePath(QStringLiteral("Temp"));
    options.StartPath = photos;
    const auto loaded = [](TfrmThumbnail& window) {
        return QTest::qWaitFor([&] { return window.LoadFinished(); }, 600000);
    };
    {
        TfrmThumbnail filling(options);
        filling.show();
        loaded(filling);
    }
    TfrmThumbnail window(options);
    window.resize(1200, 800);
    window.show();
    loaded(window);
    for (int size = 0; size < window.CbSize->count(); ++size) {
        window.CbSize->setCurrentIndex(size);
        window.CbSizeChange(size); // as the box does when the user picks a size
        QTest::qWait(100);
        loaded(window);
        QTest::qWait(300);
        window.grab().save(out + QStringLiteral("/grid_%1.png").arg(size));
    }
    // With the folders below shown too (the switch of the View menu, shown open).
    window.CbSize->setCurrentIndex(1);
    window.CbSizeChange(1);
    window.MMSubfolders->trigger();
    QTest::qWait(100);
    loaded(window);
    QTest::qWait(300);
    window.grab().save(out + QStringLiteral("/grid_tree.png"));
    if (auto* view = window.findChild<QMenu*>(QStringLiteral("MMView"))) {
        view->popup(window.mapToGlobal(QPoint(60, 20)));
        QTest::qWait(300);
        view->grab().save(out + QStringLiteral("/view_menu.png"));
        view->close();
    }
    window.MMSubfolders->trigger(); // as it was
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallUiLanguage(DesktopUiLanguage(), app); // LANG=en_US.UTF-8 for the English windows
    InstallFontSubstitutes();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    TfrmLogo* splash = TfrmLogo::ShowSplash();
    QTest::qWait(300);
    splash->grab().save(out + "/splash.png");
    splash->close();

    ShownMessage shown;
    WhenMessageBoxShows(shown, [&out](TMsgManage& box) {
        box.Form->grab().save(out + "/message_box.png");
        box.Buttons[0]->click();
    });
    ShowMessageBox(QStringLiteral("バックカード印刷をする前に、表示されている画像の中からお好みの"
                                  "画像をクリックして選んでください。"),
                   QStringLiteral("ミルテ"), {mkOK, mkCancel});

    TfrmGauge gauge;
    gauge.SetPercent(50);
    Save(gauge, out + "/gauge.png");
    gauge.hide();

    TfrmVersion about;
    Save(about, out + "/about.png");
    about.hide();

    QTemporaryDir home;
    TThumbnailDB db;
    db.SetCacheDirectory(home.path());
    db.SetMaxCacheSize(256000);
    IniFile ini(home.filePath("Thumbnail.ini"));
    TfrmCache cache(db, ini, home.filePath("Temp"), TCacheAccess());
    Save(cache, out + "/cache.png");
    cache.hide();
    cache.SelectCachePath->FormCreate(QDir::homePath());
    Save(*cache.SelectCachePath, out + "/select_cache_path.png");

    MakeIconBitmap("movie.avi").save(out + "/icon_avi.png");
    MakeIconBitmap("photo.jpg").save(out + "/icon_jpg.png");
    if (argc > 2) {
        SaveGrids(QString::fromLocal8Bit(argv[2]), out);
    }
    return 0;
}
