// The main window's parts that work without the window: the single-instance hand-over, the
// Cache and APP sections of the settings file, the load state texts, the network check and the
// command line.
#include "picture/picture_format.h"
#include "shell/app_settings.h"
#include "shell/command_line.h"
#include "shell/load_state.h"
#include "shell/single_instance.h"
#include "shell/startup_checks.h"
#include "shell/window_state.h"
#include "support/temp_folder.h"
#include "util/cache_size.h"
#include "util/ini_file.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QMimeDatabase>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>
#include <atomic>
#include <thread>

using namespace mirte;

namespace {

QString UniqueInstanceName() {
    return QStringLiteral("mirte-test-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

// Runs the hand-over of a later start on its own thread, as a second process would, while
// this thread serves the first instance's socket.
bool HandOverFromAnotherThread(const TSingleInstance& later, const QString& folder) {
    std::atomic<int> result{-1};
    std::thread starter([&] { result = later.HandOver(folder, 3000) ? 1 : 0; });
    // The first instance answers from this thread's event loop.
    QDeadlineTimer deadline(10000);
    while (result == -1 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    starter.join();
    return result == 1;
}

// The load state in English, as a translator with the program's English texts gives it.
class TEnglishLoadState : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "LoadState") != 0) {
            return {};
        }
        static const QHash<QByteArray, QString> english{
            {kLoadFinishedText, QStringLiteral(" Loaded")},
            {kLoadAbortedText, QStringLiteral(" Stopped")},
            {" 読込　%1%", QStringLiteral(" Loading %1%")},
        };
        return english.value(sourceText);
    }
    bool isEmpty() const override { return false; }
};

void MakeReadOnly(const QString& path) {
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

} // namespace

class TestWindowParts : public QObject {
    Q_OBJECT

private slots:
    void secondStartHandsOverToTheFirst();
    void handOverFailsWithoutARunningInstance();
    void handOverSurvivesAStaleSocketFile();
    void firstStartMarksTheSettingsFile();
    void readOnlySettingsAreNeverWritten();
    void cacheDirectoryFallsBackToTheDefault();
    void cacheSizeKeyIsReadOrComputed_data();
    void cacheSizeKeyIsReadOrComputed();
    void loadStateTexts();
    void loadGuardAcceptsOnlyTheTwoEndStates();
    void loadEndsOnFinishOrStop_data();
    void loadEndsOnFinishOrStop();
    void networkFileSystemsAreRecognised();
    void commandLine_data();
    void commandLine();
    void desktopEntryOpensFoldersAndEveryListedPicture();
    void aKeptPlaceLandsInTheWorkArea_data();
    void aKeptPlaceLandsInTheWorkArea();
};

void TestWindowParts::secondStartHandsOverToTheFirst() {
    const QString name = UniqueInstanceName();
    TSingleInstance first(name);
    QVERIFY(first.BecomeFirst());
    QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);

    TSingleInstance second(name);
    QVERIFY(!second.BecomeFirst());

    QVERIFY(HandOverFromAnotherThread(second, QString()));
    QTRY_COMPARE(activations.count(), 1);
    QCOMPARE(activations.at(0).at(0).toString(), QString());

    const QString folder = QStringLiteral("/tmp/写真 2024/家族");
    QVERIFY(HandOverFromAnotherThread(second, folder));
    QTRY_COMPARE(activations.count(), 2);
    QCOMPARE(activations.at(1).at(0).toString(), folder);
}

void TestWindowParts::handOverFailsWithoutARunningInstance() {
    TSingleInstance lonely(UniqueInstanceName());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!lonely.HandOver(QString(), 300));
    QVERIFY(timer.elapsed() < 3000);
}

void TestWindowParts::handOverSurvivesAStaleSocketFile() {
    // A crashed instance leaves its socket file behind: the next start must still listen.
    const QString name = UniqueInstanceName();
    {
        QLocalServer crashed;
        QVERIFY(crashed.listen(name));
        crashed.setMaxPendingConnections(0);
    }
    QFile stale(QDir::temp().filePath(name));
    stale.open(QIODevice::WriteOnly);
    stale.close();
    TSingleInstance first(name);
    QVERIFY(first.BecomeFirst());
    QSignalSpy activations(&first, &TSingleInstance::ActivationRequested);
    TSingleInstance second(name);
    QVERIFY(HandOverFromAnotherThread(second, QString()));
    QTRY_COMPARE(activations.count(), 1);
}

void TestWindowParts::firstStartMarksTheSettingsFile() {
    test::TempFolder folder;
    const QString iniPath = folder.File(QStringLiteral("conf/Thumbnail.ini"));
    IniFile ini(iniPath);
    MarkNewSettingsFile(ini);
    QVERIFY(QFile::exists(iniPath));
    IniFile reread(iniPath);
    QCOMPARE(reread.ReadString("APP", "APPName", ""), QStringLiteral("ミルテ"));

    // An existing file is left as it is.
    reread.WriteString("APP", "APPName", "changed");
    IniFile again(iniPath);
    MarkNewSettingsFile(again);
    QCOMPARE(IniFile(iniPath).ReadString("APP", "APPName", ""), QStringLiteral("changed"));
}

void TestWindowParts::readOnlySettingsAreNeverWritten() {
    test::TempFolder folder;
    const QByteArray content = "[Cache]\r\nDirectory=/no/such/folder/anywhere\r\nSize=abc\r\n";
    const QString iniPath = folder.Write(QStringLiteral("Thumbnail.ini"), content);
    MakeReadOnly(iniPath);
    const QString defaultDir = folder.File(QStringLiteral("Temp"));

    IniFile ini(iniPath);
    MarkNewSettingsFile(ini);
    const TCacheSettings settings = ReadCacheSettings(ini, defaultDir);
    QCOMPARE(settings.Directory, defaultDir);
    QVERIFY(QFileInfo(defaultDir).isDir());
    QCOMPARE(folder.Read(QStringLiteral("Thumbnail.ini")), content);
}

void TestWindowParts::cacheDirectoryFallsBackToTheDefault() {
    test::TempFolder folder;
    const QString iniPath = folder.File(QStringLiteral("Thumbnail.ini"));
    const QString defaultDir = folder.File(QStringLiteral("Temp"));
    IniFile ini(iniPath);
    ini.WriteString("Cache", "Directory", folder.File(QStringLiteral("gone")));
    const TCacheSettings fallback = ReadCacheSettings(ini, defaultDir);
    QCOMPARE(fallback.Directory, defaultDir);
    QVERIFY(QFileInfo(defaultDir).isDir());
    QCOMPARE(IniFile(iniPath).ReadString("Cache", "Directory", ""), defaultDir);

    // A folder that exists is used as it is, and nothing is written.
    const QString chosen = folder.MakeDir(QStringLiteral("mine"));
    ini.WriteString("Cache", "Directory", chosen);
    const QByteArray before = folder.Read(QStringLiteral("Thumbnail.ini"));
    QCOMPARE(ReadCacheSettings(ini, defaultDir).Directory, chosen);
    QCOMPARE(folder.Read(QStringLiteral("Thumbnail.ini")), before);
}

void TestWindowParts::cacheSizeKeyIsReadOrComputed_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<qint64>("expectedKB"); // -1: computed from free space
    QTest::newRow("absent") << QByteArray() << qint64(-1);
    QTest::newRow("minus one") << QByteArray("Size=-1") << qint64(-1);
    QTest::newRow("other negative") << QByteArray("Size=-25600") << qint64(-1);
    QTest::newRow("garbage") << QByteArray("Size=lots") << qint64(-1);
    QTest::newRow("zero") << QByteArray("Size=0") << qint64(0);
    QTest::newRow("steps") << QByteArray("Size=256000") << qint64(256000);
}

void TestWindowParts::cacheSizeKeyIsReadOrComputed() {
    QFETCH(QByteArray, line);
    QFETCH(qint64, expectedKB);
    test::TempFolder folder;
    const QString cacheDir = folder.MakeDir(QStringLiteral("cache"));
    const QString iniPath =
        folder.Write(QStringLiteral("Thumbnail.ini"),
                     "[Cache]\r\nDirectory=" + cacheDir.toUtf8() + "\r\n" + line + "\r\n");
    const QByteArray before = folder.Read(QStringLiteral("Thumbnail.ini"));
    IniFile ini(iniPath);
    const TCacheSettings settings = ReadCacheSettings(ini, folder.File(QStringLiteral("Temp")));
    const qint64 expected =
        expectedKB >= 0 ? expectedKB : qint64(DefaultCacheSizeMB(cacheDir)) * 1024;
    QCOMPARE(settings.MaxSizeKB, expected);
    // The computed default is not written back.
    QCOMPARE(folder.Read(QStringLiteral("Thumbnail.ini")), before);
}

void TestWindowParts::loadStateTexts() {
    QCOMPARE(LoadProgressText(0), QStringLiteral(" 読込　0%"));
    QCOMPARE(LoadProgressText(37), QStringLiteral(" 読込　37%"));
    QCOMPARE(LoadProgressText(99), QStringLiteral(" 読込　99%"));
    QCOMPARE(LoadProgressText(100), QStringLiteral(" 読込完了"));
    QCOMPARE(LoadProgressText(250), QStringLiteral(" 読込完了"));
    QCOMPARE(LoadProgressText(-1), QStringLiteral(" 読込中止"));
}

void TestWindowParts::loadGuardAcceptsOnlyTheTwoEndStates() {
    QVERIFY(IsLoadFinished(QStringLiteral(" 読込完了")));
    QVERIFY(IsLoadFinished(QStringLiteral(" 読込中止")));
    QVERIFY(!IsLoadFinished(QString()));
    QVERIFY(!IsLoadFinished(QStringLiteral(" 読込　37%")));
    QVERIFY(!IsLoadFinished(QStringLiteral("読込完了")));
    QVERIFY(!IsLoadFinished(QStringLiteral(" 読込完了 ")));
}

void TestWindowParts::loadEndsOnFinishOrStop_data() {
    QTest::addColumn<int>("percent");
    QTest::addColumn<bool>("ended");
    QTest::addColumn<QString>("english");
    QTest::newRow("stopped") << -1 << true << QStringLiteral(" Stopped");
    QTest::newRow("started") << 0 << false << QStringLiteral(" Loading 0%");
    QTest::newRow("half way") << 37 << false << QStringLiteral(" Loading 37%");
    QTest::newRow("last step") << 99 << false << QStringLiteral(" Loading 99%");
    QTest::newRow("finished") << 100 << true << QStringLiteral(" Loaded");
    QTest::newRow("past the end") << 250 << true << QStringLiteral(" Loaded");
}

// The window's guard reads the progress value, and the panel's text agrees with it in either
// language: in English the Japanese end texts no longer count, the English ones do.
void TestWindowParts::loadEndsOnFinishOrStop() {
    QFETCH(int, percent);
    QFETCH(bool, ended);
    QFETCH(QString, english);
    QCOMPARE(LoadEnded(percent), ended);
    QCOMPARE(IsLoadFinished(LoadProgressText(percent)), ended);

    TEnglishLoadState translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const QString shown = LoadProgressText(percent);
    const bool finishedInEnglish = IsLoadFinished(shown);
    const bool japaneseEndCounts = IsLoadFinished(QString::fromUtf8(kLoadFinishedText));
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(shown, english);
    QCOMPARE(finishedInEnglish, ended);
    QVERIFY(!japaneseEndCounts);
}

void TestWindowParts::networkFileSystemsAreRecognised() {
    for (const char* type : {"nfs", "NFS4", "cifs", "smb3", "fuse.sshfs", "9p", "fuse.rclone"}) {
        QVERIFY2(IsNetworkFileSystemType(type), type);
    }
    for (const char* type :
         {"ext4", "btrfs", "xfs", "tmpfs", "overlay", "vfat", "fuse.ntfs-3g", "", "nfsd"}) {
        QVERIFY2(!IsNetworkFileSystemType(type), type);
    }
    QVERIFY(!IsOnNetworkFileSystem(QDir::tempPath()));
}

void TestWindowParts::aKeptPlaceLandsInTheWorkArea_data() {
    QTest::addColumn<QRect>("kept");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("inside") << QRect(40, 30, 640, 480) << QRect(40, 30, 640, 480);
    QTest::newRow("on a screen that is gone")
        << QRect(3000, 50, 640, 480) << QRect(160, 50, 640, 480);
    QTest::newRow("above and left") << QRect(-500, -90, 640, 480) << QRect(0, 0, 640, 480);
    QTest::newRow("larger than the area") << QRect(10, 10, 1200, 900) << QRect(0, 0, 800, 600);
}

// A place kept on another desktop (a screen unplugged since) comes back on the one there is.
void TestWindowParts::aKeptPlaceLandsInTheWorkArea() {
    QFETCH(QRect, kept);
    QFETCH(QRect, placed);
    QCOMPARE(PlaceInWorkArea(kept, QRect(0, 0, 800, 600)), placed);
}

QTEST_MAIN(TestWindowParts)
#include "test_window_parts.moc"

void TestWindowParts::commandLine_data() {
    using Action = TCommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("path"); // relative ones are made absolute from the current folder
    const QString here = QDir::currentPath() + QLatin1Char('/');
    QTest::newRow("nothing") << QStringList() << Action::Run << QString();
    QTest::newRow("folder") << QStringList{"/写真/2024"} << Action::Run << "/写真/2024";
    QTest::newRow("relative picture") << QStringList{"a/../b.jpg"} << Action::Run << here + "b.jpg";
    QTest::newRow("after --") << QStringList{"--", "-x.jpg"} << Action::Run << here + "-x.jpg";
    QTest::newRow("--help") << QStringList{"/p", "--help"} << Action::Help << QString();
    // Asked for before Qt has taken its own options out.
    QTest::newRow("--version among Qt's options")
        << QStringList{"-platform", "offscreen", "--version"} << Action::Version << QString();
    QTest::newRow("Qt's options passed over")
        << QStringList{"-platform", "xcb", "--style=Fusion", "-reverse", "写真"} << Action::Run
        << here + "写真";
    QTest::newRow("a Qt option after --")
        << QStringList{"--", "-reverse"} << Action::Run << here + "-reverse";
    QTest::newRow("Qt's option without its value")
        << QStringList{"/p", "-platform"} << Action::Error << QString();
    QTest::newRow("unknown option") << QStringList{"--fullscreen"} << Action::Error << QString();
    QTest::newRow("two paths") << QStringList{"/a", "/b"} << Action::Error << QString();
}

void TestWindowParts::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(TCommandLine::Action, action);
    QFETCH(QString, path);
    const TCommandLine line = TCommandLine::Parse(arguments);
    QCOMPARE(line.What, action);
    if (action == TCommandLine::Action::Run) {
        QCOMPARE(line.Path, path);
    }
    QCOMPARE(line.Message.isEmpty(), action != TCommandLine::Action::Error);
}

// "Open with ミルテ" is offered for folders and for every picture the grid lists (by the types
// Debian's shared MIME database gives their extensions); each type named is a known one.
void TestWindowParts::desktopEntryOpensFoldersAndEveryListedPicture() {
    QFile entry(QStringLiteral(MIRTE_DESKTOP_ENTRY));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList types;
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(QLatin1String("MimeType="))) {
            types = line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        }
    }
    QVERIFY(types.contains(QStringLiteral("inode/directory")));
    const QMimeDatabase mime;
    for (const QString& type : types) {
        QVERIFY2(mime.mimeTypeForName(type).isValid(), qPrintable(type));
    }
    int covered = 0;
    for (const QString& ext : BrowsedExtensions()) {
        const QMimeType type = mime.mimeTypeForFile("x." + ext, QMimeDatabase::MatchExtension);
        if (!IsPictureExtension(ext) || type.isDefault()) {
            continue;
        }
        QVERIFY2(types.contains(type.name()), qPrintable(ext + " is " + type.name()));
        ++covered;
    }
    QVERIFY(covered > 0);
}
