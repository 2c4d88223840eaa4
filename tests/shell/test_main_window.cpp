// The main window with its real loader, grid and cache on generated photos: the progress in the
// status bar, the load guard's messages, abort in both passes, closing during a load, the
// settings file, the folder argument and the hand-over from a second start.
#include "browse/image_list_thread.h"
#include "browse/thumb_list_view.h"
#include "cache/thumbnail_db.h"
#include "generated/mirte_version.h"
#include "print/frm_print_thumbnail.h"
#include "print/layout_dialog.h"
#include "report/font_substitutes.h"
#include "shell/app_settings.h"
#include "shell/internet_links.h"
#include "shell/single_instance.h"
#include "util/cache_size.h"
#include "util/file_lock.h"
#include "util/ini_file.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <unistd.h>

using namespace mirte;
using mirte::test::WaitForLoadEnd;
using mirte::test::WindowFixture;
using mirte::test::WritePhotos;

namespace {

// Stands in for the desktop: records what the window asks it to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    UrlRecorder() {
        for (const char* scheme : {"file", "https", "mailto"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
        }
    }
    ~UrlRecorder() override {
        for (const char* scheme : {"file", "https", "mailto"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    QList<QUrl> Urls;

public slots:
    void Open(const QUrl& url) { Urls.append(url); }
};

const QString kPrintWhileLoading = QStringLiteral("画像読み込み中は、印刷ボタンは無効です。");
const QString kSortWhileLoading = QStringLiteral("画像読み込み中は、表示順切替は無効です。");

// Every status text the window shows, in order.
struct StatusRecorder {
    QStringList Texts;
    QList<int> Percents;

    explicit StatusRecorder(TfrmThumbnail& window) {
        QObject::connect(&window, &TfrmThumbnail::LoadProgressShown, &window,
                         [this, &window](int percent) {
                             Percents.append(percent);
                             Texts.append(window.LoadStateText());
                         });
    }
};

int LoadedItems(const TThumbListView& grid) {
    int loaded = 0;
    for (int i = 0; i < grid.Count(); ++i) {
        loaded += grid.ItemFacts(i).Loaded ? 1 : 0;
    }
    return loaded;
}

// Runs `click` and closes the print dialog should one open; its name and the folder it was
// given, or nothing when no dialog opened.
// Whether the index card dialog, opened by the window's button, offers cards for each folder.
bool IndexCardOffersEachFolder(TfrmThumbnail& window) {
    bool offered = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<TfrmPrintThumbnail*>(QApplication::activeModalWidget())) {
            offered = dialog->CbEachFolder->isEnabled();
            dialog->close();
        }
    });
    window.BtnPrintThumbnail->click();
    return offered;
}

std::optional<QString> PrintDialogOpened(const std::function<void()>& click) {
    std::optional<QString> folder;
    bool looked = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<TLayoutDialog*>(QApplication::activeModalWidget())) {
            folder = dialog->objectName() + QLatin1Char(' ') + dialog->FolderPath;
            dialog->close();
        }
        looked = true;
    });
    click();
    while (!looked) {
        QCoreApplication::processEvents();
    }
    return folder;
}

int CountLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    return int(file.readAll().count('\n'));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void progressRunsThroughTheStatusBar();
    void loadGuardRefusesPrintAndSortWhileLoading();
    void printButtonsPassTheirChecksAfterALoad();
    void printWaitsForALoadThatIsStillFinishing();
    void abortDuringTheListingEmptiesTheGrid();
    void abortDuringTheThumbnailsKeepsWhatWasFetched();
    void closingDuringALoadEndsPromptlyAndSavesTheTable_data();
    void closingDuringALoadEndsPromptlyAndSavesTheTable();
    void firstStartWritesTheSettingsFile();
    void readOnlySettingsFileIsNeverWritten();
    void subfoldersAreShownWithTheirCountsAndKeptForTheNextStart();
    void languageChoiceIsKeptForTheNextStart_data();
    void languageChoiceIsKeptForTheNextStart();
    void cacheSizeFromTheSettingsFile();
    void folderArgumentAndFallback();
    void theWindowRemembersWhereItWas_data();
    void theWindowRemembersWhereItWas();
    void sizeChangeReloadsAtTheNewSize();
    void windowFitsTheWorkArea();
    void secondStartHandsItsFolderToTheWindow();
    void aFileArgumentShowsItsFolderWithItSelected_data();
    void aFileArgumentShowsItsFolderWithItSelected();
    void cacheDialogOpensWithTheLoadStopped();
    void missingReadMeIsReported();
    void pagesFilesAndMailOpenOnTheDesktop();
    void whatTheDesktopCannotOpenIsNamed();
    void unreadableFolderShowsAnEmptyGrid();
    void aFolderThatCannotBeShownIsTold_data();
    void aFolderThatCannotBeShownIsTold();
    void readOnlyCacheFolderStillShowsThumbnails();
    void aCacheFolderAnotherProgramStoresIntoIsShownAndTakenOverWhenFree();

private:
    test::TempFolder m_home;
};

void TestMainWindow::initTestCase() {
    InstallFontSubstitutes();
    // The window falls back to ~/Pictures: a home of our own keeps the tests off the real one.
    qputenv("HOME", m_home.Path().toUtf8());
    qputenv("XDG_CONFIG_HOME", m_home.File(QStringLiteral(".config")).toUtf8());
    WritePhotos(m_home.File(QStringLiteral("Pictures")), 1);
}

void TestMainWindow::progressRunsThroughTheStatusBar() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 3);
    auto window = fixture.Open(folder);
    StatusRecorder status(*window);
    // The grid's re-make item waits for the end of the load: the cache is the loader's till then.
    QVERIFY(!window->miThumbnailRepaint->isEnabled());
    QVERIFY(WaitForLoadEnd(*window));
    QTRY_VERIFY(window->miThumbnailRepaint->isEnabled());

    const QStringList expected{QStringLiteral(" 読込　17%"), QStringLiteral(" 読込　33%"),
                               QStringLiteral(" 読込　50%"), QStringLiteral(" 読込　67%"),
                               QStringLiteral(" 読込　83%"), QStringLiteral(" 読込完了")};
    QCOMPARE(status.Texts, expected);
    QVERIFY(window->ProgressBar->isHidden());
    QCOMPARE(window->ProgressBar->value(), 100);
    QCOMPARE(window->ThumbList().Count(), 3);
    QCOMPARE(LoadedItems(window->ThumbList()), 3);
    QCOMPARE(window->StatusPanel2->text(), QStringLiteral(" アドレス：") + folder);
    QVERIFY(fixture.Messages.isEmpty());
}

void TestMainWindow::loadGuardRefusesPrintAndSortWhileLoading() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 5);
    auto window = fixture.Open(folder);
    QSignalSpy jackets(window.get(), &TfrmThumbnail::PrintJacketRequested);

    // Before the loader's first report the panel is empty, which counts as loading.
    QCOMPARE(window->LoadStateText(), QString());
    for (QToolButton* button :
         {window->BtnPrintThumbnail, window->BtnPrintJacket, window->BtnContact}) {
        QVERIFY(!PrintDialogOpened([&] { button->click(); }));
    }
    QCOMPARE(fixture.Messages, QStringList(3, kPrintWhileLoading));

    // The menu items do what the buttons do.
    fixture.Messages.clear();
    for (const char* name : {"MMThumbnail", "MMJacket", "MMContact"}) {
        window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
    }
    QCOMPARE(fixture.Messages, QStringList(3, kPrintWhileLoading));

    // Sorting is refused too, and the list returns to the order in use.
    fixture.Messages.clear();
    window->CbHyouji->setCurrentIndex(2);
    window->CbHyoujiChange(2);
    QCOMPARE(fixture.Messages, QStringList{kSortWhileLoading});
    QCOMPARE(window->CbHyouji->currentIndex(), 0);
    QCOMPARE(window->ImageListThread().SortOrder(), 0);

    QCOMPARE(jackets.count(), 0);
    QVERIFY(WaitForLoadEnd(*window));
}

void TestMainWindow::printButtonsPassTheirChecksAfterALoad() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 3, 400, 300);
    QFile::copy(QFINDTESTDATA("test_main_window.cpp"), QDir(folder).filePath("clip.avi"));
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    QSignalSpy jackets(window.get(), &TfrmThumbnail::PrintJacketRequested);

    QCOMPARE(PrintDialogOpened([&] { window->BtnPrintThumbnail->click(); }),
             QStringLiteral("frmPrintThumbnail ") + folder);
    QCOMPARE(PrintDialogOpened([&] { window->BtnContact->click(); }),
             QStringLiteral("frmContactSheetPrint ") + folder);

    // The back card needs a chosen picture.
    window->ThumbList().SetSelected(-1);
    QVERIFY(!PrintDialogOpened([&] { window->BtnPrintJacket->click(); }));
    QCOMPARE(jackets.count(), 0);
    QCOMPARE(fixture.Messages.size(), 1);
    QVERIFY(fixture.Messages.first().startsWith(QStringLiteral("バックカード印刷をする前に")));

    // A picture: its cache thumbnail (fitted into the 512 box); a movie: its type's icon.
    TThumbListView& grid = window->ThumbList();
    int picture = -1;
    int movie = -1;
    for (int i = 0; i < grid.Count(); ++i) {
        (grid.ItemFacts(i).Name == QLatin1String("clip.avi") ? movie : picture) = i;
    }
    QVERIFY(picture >= 0 && movie >= 0);
    grid.SetSelected(picture);
    QCOMPARE(PrintDialogOpened([&] { window->BtnPrintJacket->click(); }),
             QStringLiteral("frmJacketPrint ") + folder);
    QCOMPARE(jackets.count(), 1);
    QCOMPARE(jackets.at(0).at(0).value<QImage>().size(), QSize(512, 384));
    grid.SetSelected(movie);
    QVERIFY(PrintDialogOpened([&] { window->BtnPrintJacket->click(); }));
    QCOMPARE(jackets.count(), 2);
    QCOMPARE(jackets.at(1).at(0).value<QImage>().size(), QSize(48, 48));
    QCOMPARE(fixture.Messages.size(), 1);

    // After a load the order may change.
    window->CbHyouji->setCurrentIndex(1);
    window->CbHyoujiChange(1);
    QCOMPARE(window->ImageListThread().SortOrder(), 1);
}

void TestMainWindow::printWaitsForALoadThatIsStillFinishing() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 6);
    auto window = fixture.Open(folder);
    // The moment " 読込完了" shows, the loader has yet to save the table and hand over once more.
    bool clicked = false;
    bool busyAtClick = false;
    bool idleWhenFetched = false;
    connect(window.get(), &TfrmThumbnail::PrintJacketRequested, window.get(),
            [&] { idleWhenFetched = !window->ImageListThread().Loading(); });
    connect(window.get(), &TfrmThumbnail::LoadProgressShown, window.get(), [&](int percent) {
        if (percent < 100 || clicked) {
            return;
        }
        clicked = true;
        busyAtClick = window->ImageListThread().Loading();
        window->ThumbList().SetSelected(0);
        PrintDialogOpened([&] { window->BtnPrintJacket->click(); });
    });
    QVERIFY(WaitForLoadEnd(*window));
    QTRY_VERIFY(clicked);
    QVERIFY(busyAtClick);
    QVERIFY(idleWhenFetched); // the cache was the GUI thread's alone
    QVERIFY(fixture.Messages.isEmpty());
}

void TestMainWindow::abortDuringTheListingEmptiesTheGrid() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 40);
    auto window = fixture.Open(folder);
    StatusRecorder status(*window);
    bool aborted = false;
    connect(window.get(), &TfrmThumbnail::LoadProgressShown, window.get(), [&](int percent) {
        if (!aborted && percent >= 0 && percent < 50) {
            aborted = true;
            window->BtnAbort->click();
        }
    });
    QVERIFY(WaitForLoadEnd(*window));
    QVERIFY(aborted);
    QCOMPARE(window->LoadStateText(), QStringLiteral(" 読込中止"));
    QCOMPARE(window->ThumbList().Count(), 0);
    QVERIFY(window->ProgressBar->isHidden());
    QVERIFY(status.Percents.size() < 10);

    // After an abort printing is allowed with whatever the grid holds.
    QCOMPARE(PrintDialogOpened([&] { window->BtnPrintThumbnail->click(); }),
             QStringLiteral("frmPrintThumbnail ") + folder);
    QVERIFY(fixture.Messages.isEmpty());
}

void TestMainWindow::abortDuringTheThumbnailsKeepsWhatWasFetched() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 12);
    auto window = fixture.Open(folder);
    bool aborted = false;
    connect(window.get(), &TfrmThumbnail::LoadProgressShown, window.get(), [&](int percent) {
        if (!aborted && percent > 50 && percent < 100) {
            aborted = true;
            window->BtnAbort->click();
        }
    });
    QVERIFY(WaitForLoadEnd(*window));
    QVERIFY(aborted);
    QCOMPARE(window->LoadStateText(), QStringLiteral(" 読込中止"));
    QCOMPARE(window->ThumbList().Count(), 12);
    const int loaded = LoadedItems(window->ThumbList());
    QVERIFY2(loaded >= 1 && loaded < 12, qPrintable(QString::number(loaded)));

    // Reload lists the folder again (a photo added since shows) and fetches every thumbnail.
    WritePhotos(fixture.Program.File(QStringLiteral("more")), 1);
    QVERIFY(QFile::rename(fixture.Program.File(QStringLiteral("more/p000.jpg")),
                          QDir(folder).filePath(QStringLiteral("added.jpg"))));
    window->BtnReload->click();
    QTRY_COMPARE_WITH_TIMEOUT(window->LoadStateText(), QStringLiteral(" 読込完了"), 20000);
    QCOMPARE(window->SelectedFolder(), folder);
    QCOMPARE(window->ThumbList().Count(), 13);
    QCOMPARE(LoadedItems(window->ThumbList()), 13);
}

void TestMainWindow::closingDuringALoadEndsPromptlyAndSavesTheTable_data() {
    QTest::addColumn<bool>("inSecondPass");
    QTest::newRow("listing") << false;
    QTest::newRow("thumbnails") << true;
}

void TestMainWindow::closingDuringALoadEndsPromptlyAndSavesTheTable() {
    QFETCH(bool, inSecondPass);
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 60, 1600, 1200);
    auto window = fixture.Open(folder);
    window->show();
    // The window goes from the event loop, right after the report that says the load is in
    // the chosen pass, while the loader waits for its next hand-over.
    bool closing = false;
    qint64 closeMs = -1;
    connect(window.get(), &TfrmThumbnail::LoadProgressShown, window.get(), [&](int percent) {
        const bool chosen = inSecondPass ? (percent >= 55 && percent < 100) : (percent < 50);
        if (closing || !chosen || percent < 0) {
            return;
        }
        closing = true;
        QTimer::singleShot(0, [&] {
            QElapsedTimer timer;
            timer.start();
            window->close();
            window.reset();
            closeMs = timer.elapsed();
        });
    });
    QTRY_VERIFY_WITH_TIMEOUT(closeMs >= 0, 30000);
    QVERIFY2(closeMs < 5000, qPrintable(QString::number(closeMs)));

    if (inSecondPass) {
        QVERIFY(QFile::exists(fixture.CacheTableFile()));
        QVERIFY(CountLines(fixture.CacheTableFile()) >= 1);
    }
    QVERIFY(fixture.Messages.isEmpty());
}

void TestMainWindow::firstStartWritesTheSettingsFile() {
    WindowFixture fixture;
    const QString folder = fixture.Program.MakeDir(QStringLiteral("empty"));
    {
        auto window = fixture.Open(folder);
        QVERIFY(WaitForLoadEnd(*window));
        QCOMPARE(window->LoadStateText(), QStringLiteral(" 読込完了"));
        QCOMPARE(window->ThumbList().Count(), 0);
        QCOMPARE(window->ThumbnailDB().GetCacheDirectory(), fixture.Paths().DefaultCacheDir);
    }
    IniFile ini(fixture.Paths().IniFileName);
    QCOMPARE(ini.ReadString("APP", "APPName", ""), QStringLiteral("ミルテ"));
    QCOMPARE(ini.ReadString("Cache", "Directory", ""), fixture.Paths().DefaultCacheDir);
    QVERIFY(!ini.ValueExists("Cache", "Size")); // the computed default is not written
    QVERIFY(QFileInfo(fixture.Paths().DefaultCacheDir).isDir());
}

void TestMainWindow::readOnlySettingsFileIsNeverWritten() {
    WindowFixture fixture;
    const QByteArray content = "[Cache]\r\nDirectory=/gone/away\r\nSize=-1\r\n";
    const QString iniPath = fixture.Program.Write(QStringLiteral("Thumbnail.ini"), content);
    QFile::setPermissions(iniPath, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 2);
    {
        auto window = fixture.Open(folder);
        QVERIFY(WaitForLoadEnd(*window));
        QCOMPARE(window->ThumbnailDB().GetCacheDirectory(), fixture.Paths().DefaultCacheDir);
        QCOMPARE(window->ThumbnailDB().GetMaxCacheSize(),
                 qint64(DefaultCacheSizeMB(fixture.Paths().DefaultCacheDir)) * 1024);
    }
    QCOMPARE(fixture.Program.Read(QStringLiteral("Thumbnail.ini")), content);
    QVERIFY(fixture.Messages.isEmpty());
}

void TestMainWindow::subfoldersAreShownWithTheirCountsAndKeptForTheNextStart() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 2);
    WritePhotos(folder + QStringLiteral("/2024/旅行"), 3);
    WritePhotos(folder + QStringLiteral("/.hidden"), 1);
    QVERIFY(QFile::link(folder, folder + QStringLiteral("/2024/up"))); // a loop
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    QCOMPARE(window->ThumbList().Count(), 2);
    QVERIFY(!window->ShowsSubfolders());

    window->MMSubfolders->trigger();
    QVERIFY(QTest::qWaitFor([&] { return window->ThumbList().Count() == 5; }, 20000));
    QVERIFY(WaitForLoadEnd(*window));
    QCOMPARE(window->StatusPanel2->text(),
             QStringLiteral(" アドレス：%1　3 フォルダ、5 ファイル　（1 か所を飛ばしました）")
                 .arg(folder));
    QVERIFY(window->StatusPanel2->toolTip().startsWith(folder + QStringLiteral("/2024/up：")));
    QCOMPARE(NameWithFolder(window->ThumbList().ItemFacts(2)),
             QStringLiteral("2024/旅行/p000.jpg"));
    window.reset();

    // The next start shows the tree at once; switched off, the folder alone again.
    window = fixture.Open(folder);
    QVERIFY(window->ShowsSubfolders());
    QVERIFY(QTest::qWaitFor([&] { return window->ThumbList().Count() == 5; }, 20000));
    QVERIFY(WaitForLoadEnd(*window));
    window->MMSubfolders->trigger();
    QVERIFY(QTest::qWaitFor([&] { return window->ThumbList().Count() == 2; }, 20000));
    QCOMPARE(window->StatusPanel2->text(), QStringLiteral(" アドレス：%1").arg(folder));
    QVERIFY(WaitForLoadEnd(*window));
    QVERIFY(!IndexCardOffersEachFolder(*window));
    QCOMPARE(IniFile(fixture.Paths().IniFileName).ReadString("Window", "Subfolders", {}),
             QStringLiteral("0"));
}

void TestMainWindow::languageChoiceIsKeptForTheNextStart_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("readOnly");
    QTest::newRow("English") << "en" << false;
    QTest::newRow("Japanese") << "ja" << false;
    QTest::newRow("the desktop's") << "auto" << false;
    QTest::newRow("read-only settings file") << "en" << true;
}

void TestMainWindow::languageChoiceIsKeptForTheNextStart() {
    QFETCH(QString, choice);
    QFETCH(bool, readOnly);
    WindowFixture fixture;
    const QString iniPath =
        fixture.Program.Write(QStringLiteral("Thumbnail.ini"), "[APP]\r\nLanguage=klingon\r\n");
    if (readOnly) {
        QFile::setPermissions(iniPath, QFileDevice::ReadOwner);
    }
    auto window = fixture.Open(fixture.Program.Path());
    const auto action = [&](const QString& value) {
        return window->findChild<QAction*>(QStringLiteral("MMLanguage_") + value);
    };
    QMenu* menu = window->findChild<QMenu*>(QStringLiteral("MMLanguage"));
    emit menu->aboutToShow();
    QVERIFY(action(QStringLiteral("auto"))->isChecked()); // what is not known counts as auto
    action(choice)->trigger();
    emit menu->aboutToShow();

    const QString kept = readOnly ? QStringLiteral("auto") : choice;
    QCOMPARE(ReadUiLanguageSetting(IniFile(iniPath)), kept);
    QVERIFY(action(kept)->isChecked());
    QCOMPARE(fixture.Messages.size(), readOnly ? 1 : 0);
}

void TestMainWindow::cacheSizeFromTheSettingsFile() {
    WindowFixture fixture;
    const QString cacheDir = fixture.Program.MakeDir(QStringLiteral("my cache"));
    fixture.Program.Write(QStringLiteral("Thumbnail.ini"),
                          "[APP]\r\nAPPName=ミルテ\r\n[Cache]\r\nDirectory=" + cacheDir.toUtf8() +
                              "\r\nSize=51200\r\n");
    auto window = fixture.Open(fixture.Program.MakeDir(QStringLiteral("empty")));
    QCOMPARE(window->ThumbnailDB().GetCacheDirectory(), cacheDir);
    QCOMPARE(window->ThumbnailDB().GetMaxCacheSize(), qint64(51200));
    QVERIFY(WaitForLoadEnd(*window));
}

void TestMainWindow::folderArgumentAndFallback() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("写真/2024"));
    WritePhotos(folder, 2);
    {
        auto window = fixture.Open(folder);
        QCOMPARE(window->SelectedFolder(), folder);
        QVERIFY(WaitForLoadEnd(*window));
        QCOMPARE(window->ThumbList().Count(), 2);
    }
    // A folder argument that is no folder: the folder shown last, while it exists ...
    {
        auto window = fixture.Open(fixture.Program.File(QStringLiteral("no such folder")));
        QCOMPARE(window->SelectedFolder(), folder);
        QVERIFY(WaitForLoadEnd(*window));
    }
    // ... else the Pictures folder of the (test's) home.
    QVERIFY(QDir(folder).removeRecursively());
    auto window = fixture.Open(fixture.Program.File(QStringLiteral("no such folder")));
    QCOMPARE(window->SelectedFolder(), m_home.File(QStringLiteral("Pictures")));
    QVERIFY(WaitForLoadEnd(*window));
    QCOMPARE(window->ThumbList().Count(), 1);
}

void TestMainWindow::theWindowRemembersWhereItWas_data() {
    QTest::addColumn<bool>("maximised");
    QTest::newRow("normal") << false;
    QTest::newRow("maximised") << true;
}

// The folder, the order, the thumbnail size and the window's place, size and state come back
// at the next start; a folder given on the command line wins over the one remembered.
void TestMainWindow::theWindowRemembersWhereItWas() {
    QFETCH(bool, maximised);
    WindowFixture fixture;
    const QString first = fixture.Program.File(QStringLiteral("first"));
    const QString second = fixture.Program.File(QStringLiteral("second"));
    WritePhotos(first, 2);
    WritePhotos(second, 1);
    const QRect place(40, 30, 640, 480);
    {
        auto window = fixture.Open(first);
        window->show();
        QVERIFY(WaitForLoadEnd(*window));
        window->CbHyouji->setCurrentIndex(2);
        window->CbHyoujiChange(2);
        // Written as it changes, not only at the end.
        QCOMPARE(IniFile(fixture.Paths().IniFileName).ReadInteger("Window", "SortOrder", -1), 2);
        window->CbSize->setCurrentIndex(0);
        window->CbSizeChange(0);
        window->setGeometry(place);
        if (maximised) {
            window->showMaximized();
        }
        QVERIFY(WaitForLoadEnd(*window));
    }
    for (const QString& given : {QString(), second}) {
        auto window = fixture.Open(given);
        QCOMPARE(window->SelectedFolder(), given.isEmpty() ? first : second);
        QCOMPARE(window->CbHyouji->currentIndex(), 2);
        QCOMPARE(window->ImageListThread().SortOrder(), 2);
        QCOMPARE(window->ThumbList().ThumbWidth(), 256);
        QCOMPARE(window->isMaximized(), maximised);
        QCOMPARE(window->normalGeometry(), place);
        QVERIFY(WaitForLoadEnd(*window));
    }
}

void TestMainWindow::sizeChangeReloadsAtTheNewSize() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 4);
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    QCOMPARE(window->ThumbList().ThumbWidth(), 128);

    // Allowed while loading too; every change loads the folder again at the new size.
    StatusRecorder status(*window);
    window->CbSize->setCurrentIndex(0);
    window->CbSizeChange(0);
    window->CbSize->setCurrentIndex(2);
    window->CbSizeChange(2);
    QTRY_VERIFY_WITH_TIMEOUT(!status.Texts.isEmpty() &&
                                 status.Texts.last() == QStringLiteral(" 読込完了") &&
                                 !window->ImageListThread().Loading(),
                             20000);
    QCOMPARE(window->ThumbList().ThumbWidth(), 96);
    QCOMPARE(window->ThumbList().ThumbHeight(), 96);
    QCOMPARE(LoadedItems(window->ThumbList()), 4);
    QVERIFY(fixture.Messages.isEmpty());
}

void TestMainWindow::windowFitsTheWorkArea() {
    WindowFixture fixture;
    auto window = fixture.Open(fixture.Program.MakeDir(QStringLiteral("empty")));
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(window->width(), qMin(int(TfrmThumbnail::DefaultWidth), area.width()));
    QCOMPARE(window->height(), qMin(int(TfrmThumbnail::DefaultHeight), area.height()));
    QCOMPARE(window->windowTitle(), QStringLiteral("ミルテ"));
    QVERIFY(WaitForLoadEnd(*window));
}

void TestMainWindow::secondStartHandsItsFolderToTheWindow() {
    WindowFixture fixture;
    const QString first = fixture.Program.File(QStringLiteral("first"));
    const QString second = fixture.Program.File(QStringLiteral("second"));
    WritePhotos(first, 1);
    WritePhotos(second, 3);
    auto window = fixture.Open(first);
    window->showMaximized();
    window->showMinimized();
    QVERIFY(WaitForLoadEnd(*window));

    const QString name =
        QStringLiteral("mirte-window-test-%1").arg(QCoreApplication::applicationPid());
    TSingleInstance running(name);
    QVERIFY(running.BecomeFirst());
    connect(&running, &TSingleInstance::ActivationRequested, window.get(),
            &TfrmThumbnail::ActivateFromAnotherStart);

    TSingleInstance later(name);
    QVERIFY(!later.BecomeFirst());
    std::atomic<int> handed{-1};
    std::thread start([&] { handed = later.HandOver(second) ? 1 : 0; });
    QTRY_VERIFY_WITH_TIMEOUT(handed != -1, 10000);
    start.join();
    QCOMPARE(handed.load(), 1);
    QTRY_COMPARE(window->SelectedFolder(), second);
    QVERIFY(!window->isMinimized());
    QVERIFY(window->isMaximized()); // as it was before it was minimised
    QTRY_COMPARE_WITH_TIMEOUT(window->ThumbList().Count(), 3, 20000);
    QVERIFY(WaitForLoadEnd(*window));
}

void TestMainWindow::aFileArgumentShowsItsFolderWithItSelected_data() {
    QTest::addColumn<bool>("handedOver");
    QTest::addColumn<bool>("listed");
    QTest::newRow("picture at the start") << false << true;
    QTest::newRow("picture from a later start, during a load") << true << true;
    QTest::newRow("file the grid does not list") << false << false;
}

// "Open with ミルテ" on a file: its folder is shown, and the picture is selected and scrolled
// into view once the folder is listed, also when a later start interrupts another load.
void TestMainWindow::aFileArgumentShowsItsFolderWithItSelected() {
    QFETCH(bool, handedOver);
    QFETCH(bool, listed);
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    const QString file = listed ? WritePhotos(folder, 60).at(57)
                                : fixture.Program.Write(QStringLiteral("photos/notes.txt"), "x");
    std::unique_ptr<TfrmThumbnail> window;
    if (handedOver) {
        WritePhotos(fixture.Program.File(QStringLiteral("other")), 30, 1600, 1200);
        window = fixture.Open(fixture.Program.File(QStringLiteral("other")));
        QTRY_VERIFY_WITH_TIMEOUT(!window->LoadStateText().isEmpty(), 20000);
        window->ActivateFromAnotherStart(file);
    } else {
        window = fixture.Open(file);
    }
    window->show();
    QTRY_COMPARE(window->SelectedFolder(), folder);
    const TThumbListView& grid = window->ThumbList();
    if (!listed) {
        QVERIFY(WaitForLoadEnd(*window));
        QCOMPARE(grid.SelectedIndex(), -1);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(grid.SelectedIndex() >= 0, 20000);
    QCOMPARE(grid.ItemFacts(grid.SelectedIndex()).FullPath, file);
    QVERIFY(WaitForLoadEnd(*window));
    QVERIFY(grid.FirstVisibleIndex() > 0);
    QVERIFY(grid.SelectedIndex() >= grid.FirstVisibleIndex());
    QVERIFY(grid.SelectedIndex() <= grid.LastVisibleIndex());
}

void TestMainWindow::cacheDialogOpensWithTheLoadStopped() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 40, 1600, 1200);
    auto window = fixture.Open(folder);
    QTRY_VERIFY_WITH_TIMEOUT(!window->LoadStateText().isEmpty(), 20000);
    QVERIFY(!window->LoadFinished());

    bool loadingWhileOpen = true;
    bool dialogSeen = false;
    QTimer::singleShot(0, window.get(), [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        dialogSeen = dialog != nullptr;
        loadingWhileOpen = window->ImageListThread().Loading();
        if (dialog) {
            dialog->close();
        }
    });
    window->findChild<QAction*>(QStringLiteral("N3"))->trigger();
    QVERIFY(dialogSeen);
    QVERIFY(!loadingWhileOpen);
    // The load starts again after the dialog and completes.
    QTRY_COMPARE_WITH_TIMEOUT(window->LoadStateText(), QStringLiteral(" 読込完了"), 30000);
    QCOMPARE(LoadedItems(window->ThumbList()), 40);
}

void TestMainWindow::missingReadMeIsReported() {
    WindowFixture fixture;
    auto window = fixture.Open(fixture.Program.MakeDir(QStringLiteral("empty")));
    window->findChild<QAction*>(QStringLiteral("ReadMe1"))->trigger();
    QCOMPARE(fixture.Messages, QStringList{QStringLiteral("ReadMeファイルが存在しません。")});
    QVERIFY(WaitForLoadEnd(*window));
}

void TestMainWindow::unreadableFolderShowsAnEmptyGrid() {
    if (::geteuid() == 0) {
        QSKIP("root reads every folder");
    }
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("locked"));
    WritePhotos(folder, 2);
    QFile::setPermissions(folder, QFileDevice::WriteOwner);
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    QCOMPARE(window->ThumbList().Count(), 0);
    // Not taken for an empty folder: the message names it, the status bar says why.
    const QString reason = QStringLiteral("フォルダを読み取る権限がありません。");
    QTRY_COMPARE(
        fixture.Messages,
        QStringList{QStringLiteral("フォルダ \"%1\" を読み込めません。").arg(folder) + reason});
    QVERIFY(window->StatusPanel2->text().endsWith(reason));
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestMainWindow::aFolderThatCannotBeShownIsTold_data() {
    QTest::addColumn<bool>("handedOver"); // by a second start, else reloaded after it went
    QTest::addColumn<QString>("message");
    QTest::newRow("a folder that went, reloaded")
        << false << QStringLiteral("フォルダ \"%1\" を読み込めません。フォルダが存在しません。");
    QTest::newRow("a missing folder handed over")
        << true
        << QStringLiteral("\"%1\" を表示できません。ファイルまたはフォルダが存在しません。");
}

void TestMainWindow::aFolderThatCannotBeShownIsTold() {
    QFETCH(bool, handedOver);
    QFETCH(QString, message);
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 2);
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    const QString gone = handedOver ? fixture.Program.File(QStringLiteral("nowhere")) : folder;
    QVERIFY(QDir(gone).removeRecursively());
    if (handedOver) {
        window->ActivateFromAnotherStart(gone);
    } else {
        window->BtnReloadClick();
    }
    QTRY_COMPARE(fixture.Messages, QStringList{message.arg(gone)});
    // A folder that went shows as empty; one that never was leaves the grid as it was.
    QTRY_COMPARE(window->ThumbList().Count(), handedOver ? 2 : 0);
    QVERIFY(WaitForLoadEnd(*window));
}

void TestMainWindow::readOnlyCacheFolderStillShowsThumbnails() {
    if (::geteuid() == 0) {
        QSKIP("root writes every folder");
    }
    WindowFixture fixture;
    const QString cacheDir = fixture.Program.MakeDir(QStringLiteral("locked cache"));
    QFile::setPermissions(cacheDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    fixture.Program.Write(QStringLiteral("Thumbnail.ini"),
                          "[Cache]\r\nDirectory=" + cacheDir.toUtf8() + "\r\nSize=25600\r\n");
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 3);
    {
        auto window = fixture.Open(folder);
        QVERIFY(WaitForLoadEnd(*window));
        QCOMPARE(window->LoadStateText(), QStringLiteral(" 読込完了"));
        QCOMPARE(LoadedItems(window->ThumbList()), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(!window->ThumbList().ItemBitmap(i).isNull());
        }
        QCOMPARE(window->ThumbnailDB().GetCacheDirectory(), cacheDir);
    }
    QVERIFY(fixture.Messages.isEmpty());
    QFile::setPermissions(cacheDir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestMainWindow::pagesFilesAndMailOpenOnTheDesktop() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    const QStringList photos = WritePhotos(folder, 2);
    fixture.Program.Write(QStringLiteral("ReadMe.txt"), "ミルテ\n");
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    UrlRecorder desktop;

    window->findChild<QAction*>(QStringLiteral("ReadMe1"))->trigger();
    QCOMPARE(desktop.Urls.size(), 1);
    QCOMPARE(desktop.Urls.last().toLocalFile(), fixture.Program.File(QStringLiteral("ReadMe.txt")));

    const TInternetLinks& links = TInternetLinks::Default();
    window->BtnInternet->click();
    QCOMPARE(desktop.Urls.last(), links.HomePageIndex);
    window->findChild<QAction*>(QStringLiteral("MMHomePage"))->trigger();
    QCOMPARE(desktop.Urls.last(), links.HomePage);
    window->findChild<QAction*>(QStringLiteral("Orvale1"))->trigger();
    QCOMPARE(desktop.Urls.last(), links.PhotoGallery);
    window->findChild<QAction*>(QStringLiteral("Orvale2"))->trigger();
    QCOMPARE(desktop.Urls.last(), links.ClipArt);
    window->findChild<QAction*>(QStringLiteral("MMBug"))->trigger();
    QCOMPARE(desktop.Urls.last().scheme(), QStringLiteral("mailto"));
    QCOMPARE(desktop.Urls.last().path(), links.BugMailAddress);
    QCOMPARE(
        QUrlQuery(desktop.Urls.last()).queryItemValue(QStringLiteral("Body"), QUrl::FullyDecoded),
        QStringLiteral("ご利用バージョン：Version" MIRTE_VERSION " 日本語版"));

    // A double click opens the picture itself.
    TThumbListView& grid = window->ThumbList();
    const TEdgeRect cell = grid.CellRect(1);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {},
                       QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
    QCOMPARE(desktop.Urls.last().toLocalFile(), grid.ItemFacts(1).FullPath);
    QVERIFY(photos.contains(desktop.Urls.last().toLocalFile()));
    QCOMPARE(desktop.Urls.size(), 7);
    QVERIFY(fixture.Messages.isEmpty());
}

// A desktop with no program for it (no handler, no launcher): a message names what was not
// opened (a mail address without its body), instead of nothing at all.
void TestMainWindow::whatTheDesktopCannotOpenIsNamed() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    const QStringList photos = WritePhotos(folder, 2);
    fixture.Program.Write(QStringLiteral("ReadMe.txt"), "ミルテ\n");
    auto window = fixture.Open(folder);
    QVERIFY(WaitForLoadEnd(*window));
    for (const char* item : {"ReadMe1", "MMHomePage", "MMBug"}) {
        window->findChild<QAction*>(item)->trigger();
    }
    const TEdgeRect cell = window->ThumbList().CellRect(1);
    QTest::mouseDClick(window->ThumbList().viewport(), Qt::LeftButton, {},
                       QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2));
    const TInternetLinks& links = TInternetLinks::Default();
    QStringList named;
    for (const QString& what :
         {fixture.Program.File(QStringLiteral("ReadMe.txt")), links.HomePage.toString(),
          "mailto:" + links.BugMailAddress, photos[1]}) {
        named << QStringLiteral("\"%1\" を開けませんでした。").arg(what);
    }
    QCOMPARE(fixture.Messages, named);
}

// Another program hangs while it holds the cache folder's lock: the window waits a moment, shows
// thumbnails without storing them and says why in the status bar; once the lock is free it
// stores again and the notice goes.
void TestMainWindow::aCacheFolderAnotherProgramStoresIntoIsShownAndTakenOverWhenFree() {
    WindowFixture fixture;
    const QString folder = fixture.Program.File(QStringLiteral("photos"));
    WritePhotos(folder, 3);
    TFileLock other;
    QDir().mkpath(fixture.Program.File(QStringLiteral("Temp")));
    QVERIFY(other.Lock(fixture.Program.File(QStringLiteral("Temp/_TDB0200.lock")), 0) ==
            TFileLock::TResult::Held);
    qputenv("MIRTE_CACHE_WAIT_MS", "100");
    auto window = fixture.Open(folder);
    qunsetenv("MIRTE_CACHE_WAIT_MS");
    QVERIFY(WaitForLoadEnd(*window));
    QCOMPARE(LoadedItems(window->ThumbList()), 3);
    QVERIFY(!window->CacheNotice->isHidden());
    QVERIFY(window->CacheNotice->toolTip().contains(QStringLiteral("サムネイルは保存しません")));
    QVERIFY(!QFile::exists(fixture.CacheTableFile()));

    other.Unlock();
    const int cycles = window->ImageListThread().CyclesDone();
    window->BtnReloadClick();
    QTRY_VERIFY(window->ImageListThread().CyclesDone() > cycles);
    // The notice follows the progress the GUI thread shows, which may come a moment later.
    QTRY_VERIFY(window->CacheNotice->isHidden());
    window.reset(); // saves the table
    QFile table(fixture.CacheTableFile());
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll().count('\n'), 3);
    QVERIFY(fixture.Messages.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
