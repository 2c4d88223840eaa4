#include "cache/thumbnail_db.h"
#include "dialog_driver.h"
#include "report/font_substitutes.h"
#include "shell/cache_settings.h"
#include "shell/frm_cache.h"
#include "shell/frm_select_cache_path.h"
#include "support/temp_folder.h"
#include "util/cache_size.h"
#include "util/errors.h"
#include "util/ini_file.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QStorageInfo>
#include <QTest>
#include <QTreeView>
#include <memory>
#include <unistd.h>

using namespace mirte;
using namespace mirte::test;

namespace {

const QString kReadOnlyMessage = QStringLiteral("指定されたディレクトリは読み取り専用です。");
const QString kNoCacheHere =
    QStringLiteral("指定されたディレクトリにはキャッシュを保存できません。");

// Dates the file's last access two days back, so that the next read of it moves its access time
// even where the system notes only the first read in a day (relatime).
QDateTime Aged(const QString& path) {
    QFile file(path);
    const QDateTime aged = QDateTime::currentDateTime().addDays(-2).addMSecs(-1234);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(aged.addDays(-1), QFileDevice::FileModificationTime);
    file.setFileTime(aged, QFileDevice::FileAccessTime);
    return QFileInfo(path).lastRead();
}

// What the dialog's calls around the cache saw.
struct AccessLog {
    int Stops = 0;
    int Resumes = 0;
    bool LoadRunning = false;        // what StopLoad reports
    QString FolderWhenStopped;       // the cache's folder when StopLoad was called
    bool DataDirWhenStopped = false; // whether the stored data still existed then
    QString FolderWhenResumed;
};

// A small tmpfs mounted for one test (root only); unmounted when the test ends.
class ScratchVolume {
public:
    ScratchVolume(const QString& mountPoint, const QString& options) : m_path(mountPoint) {
        QDir().mkpath(mountPoint);
        QProcess mount;
        mount.setProcessChannelMode(QProcess::ForwardedOutputChannel); // errors stay quiet
        mount.start(QStringLiteral("mount"), {"-t", "tmpfs", "-o", options, "tmpfs", mountPoint});
        m_mounted = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit &&
                    mount.exitCode() == 0;
    }
    ~ScratchVolume() {
        if (m_mounted) {
            QProcess::execute(QStringLiteral("umount"), {m_path});
        }
    }
    bool Mounted() const { return m_mounted; }

private:
    QString m_path;
    bool m_mounted = false;
};

} // namespace

class TestCacheDialogs : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<TempFolder> cache;
    std::unique_ptr<TempFolder> other;
    std::unique_ptr<TempFolder> home;
    std::unique_ptr<TThumbnailDB> db;
    TThumbnail lastMade; // the last picture StoreThumbnail made
    std::unique_ptr<IniFile> ini;
    AccessLog log;

    QString IniPath() const { return home->File(QStringLiteral("Thumbnail.ini")); }
    QString DefaultDir() const { return home->File(QStringLiteral("Temp")); }

    TCacheAccess Access() {
        TCacheAccess access;
        access.StopLoad = [this] {
            ++log.Stops;
            log.FolderWhenStopped = db->GetCacheDirectory();
            log.DataDirWhenStopped = QFileInfo(db->DataDir()).isDir();
            return log.LoadRunning;
        };
        access.ResumeLoad = [this] {
            ++log.Resumes;
            log.FolderWhenResumed = db->GetCacheDirectory();
        };
        return access;
    }

    // The message that closing the dialog on `folder` shows; the dialog stays open on the old
    // folder, which the cache keeps.
    QString RefusalOf(const QString& folder) {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.show();
        dialog.EdCachePath->setText(folder);
        ShownMessage shown;
        ClickInNextMessageBox(shown, 1);
        dialog.BtnCloseClick();
        const bool kept = dialog.isVisible() && dialog.EdCachePath->text() == cache->Path() &&
                          db->GetCacheDirectory() == cache->Path();
        return kept ? shown.Text : QStringLiteral("(not kept)");
    }

    // A thumbnail stored in the cache; returns the picture's path.
    QString StoreThumbnail() {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(30, 120, 200));
        const QString path = home->File(QStringLiteral("a.png"));
        if (!picture.save(path)) {
            return QString();
        }
        lastMade = db->Thumbnail(path);
        return path;
    }

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void init() {
        cache = std::make_unique<TempFolder>();
        other = std::make_unique<TempFolder>();
        home = std::make_unique<TempFolder>();
        db = std::make_unique<TThumbnailDB>();
        db->SetCacheDirectory(cache->Path());
        db->SetMaxCacheSize(256000);
        ini = std::make_unique<IniFile>(IniPath());
        log = AccessLog();
    }

    void cleanup() {
        QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::WriteOwner);
        db.reset();
    }

    void trackBarPositionForLimits_data() {
        QTest::addColumn<qint64>("sizeKB");
        QTest::addColumn<int>("position");
        QTest::newRow("256000") << qint64(256000) << 10;
        QTest::newRow("0") << qint64(0) << 0;
        QTest::newRow("25599") << qint64(25599) << 0;
        QTest::newRow("512000") << qint64(512000) << 20;
        QTest::newRow("above 500 MB") << qint64(900000) << 20;
        QTest::newRow("negative") << qint64(-1) << 0;
    }
    void trackBarPositionForLimits() {
        QFETCH(qint64, sizeKB);
        QFETCH(int, position);
        db->SetMaxCacheSize(sizeKB);
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        QCOMPARE(dialog.TrackBar->value(), position);
        QCOMPARE(dialog.EdCachePath->text(), cache->Path());
    }

    void captionsAndLayout() {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("キャッシュの設定"));
        QCOMPARE(dialog.size(), QSize(375, 179));
        QCOMPARE(dialog.TrackBar->minimum(), 0);
        QCOMPARE(dialog.TrackBar->maximum(), 20);
        QVERIFY(dialog.EdCachePath->isReadOnly());
        QCOMPARE(dialog.BtnClear->text(), QStringLiteral("キャッシュクリア"));
        QCOMPARE(dialog.BtnClose->text(), QStringLiteral("閉じる"));
        QCOMPARE(dialog.BtnBest->text(), QStringLiteral("最適値"));
        QCOMPARE(dialog.BtnSelectPath->text(), QStringLiteral("・・・"));
        QCOMPARE(dialog.Label3->text(), QStringLiteral("500MB"));
        TfrmSelectCachePath& chooser = *dialog.SelectCachePath;
        QCOMPARE(chooser.windowTitle(), QStringLiteral("保存先選択"));
        QCOMPARE(chooser.size(), QSize(300, 342));
        QCOMPARE(chooser.BtnStart->text(), QStringLiteral("初期値"));
    }

    // Closing unchanged applies and stores the same values, after stopping the loader.
    void closeStoresTheSettings() {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.show();
        dialog.BtnCloseClick();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        IniFile written(IniPath());
        QCOMPARE(written.ReadString("Cache", "Directory", ""), cache->Path());
        QCOMPARE(written.ReadInteger("Cache", "Size", -1), 256000);
        QCOMPARE(log.Stops, 1);
        QCOMPARE(log.Resumes, 0); // no load was running
    }

    void positionZeroStoresALimitOfZero() {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.TrackBar->setValue(0);
        dialog.BtnCloseClick();
        QCOMPARE(db->GetMaxCacheSize(), 0);
        QCOMPARE(IniFile(IniPath()).ReadInteger("Cache", "Size", -1), 0);
    }

    // A new folder is switched to only once the load is stopped; the load resumes afterwards.
    void switchingTheFolderStopsAndResumesTheLoad() {
        log.LoadRunning = true;
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.EdCachePath->setText(other->Path());
        dialog.TrackBar->setValue(4);
        dialog.BtnCloseClick();
        QCOMPARE(log.Stops, 1);
        QCOMPARE(log.FolderWhenStopped, cache->Path());
        QCOMPARE(log.Resumes, 1);
        QCOMPARE(log.FolderWhenResumed, other->Path());
        QCOMPARE(db->GetCacheDirectory(), other->Path());
        QCOMPARE(db->GetMaxCacheSize(), 4 * 25600);
        IniFile written(IniPath());
        QCOMPARE(written.ReadString("Cache", "Directory", ""), other->Path());
        QCOMPARE(written.ReadInteger("Cache", "Size", -1), 102400);
    }

    // Clearing empties the real cache, after the loader was stopped with the data still there.
    void clearingStopsTheLoadFirst() {
        const QString picture = StoreThumbnail();
        QVERIFY(!picture.isEmpty());
        QVERIFY(QFileInfo(db->DataDir()).isDir());
        log.LoadRunning = true;
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.BtnClearClick();
        QCOMPARE(log.Stops, 1);
        QVERIFY(log.DataDirWhenStopped);
        QCOMPARE(log.Resumes, 1);
        QVERIFY(!QFileInfo(db->DataDir()).exists());
        const TThumbnail again = db->Thumbnail(picture);
        QVERIFY(again.Ok() && !again.FromCache); // made anew
        QVERIFY(!QFileInfo::exists(IniPath()));  // clearing stores nothing
    }

    // A folder that is gone counts as read-only: the message, the old folder back, the best
    // size for it applied; the dialog stays open and nothing is stored.
    void vanishedFolderIsRefused() {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.show();
        dialog.EdCachePath->setText(other->File(QStringLiteral("gone")));
        ShownMessage shown;
        ClickInNextMessageBox(shown, 1);
        dialog.BtnCloseClick();
        QVERIFY(shown.Shown);
        QCOMPARE(shown.Text, kReadOnlyMessage);
        QCOMPARE(shown.Caption, QStringLiteral("ミルテ"));
        QCOMPARE(shown.Buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.EdCachePath->text(), cache->Path());
        const int best = std::min(20, DefaultCacheSizeMB(cache->Path()) / 25);
        QCOMPARE(dialog.TrackBar->value(), best);
        QCOMPARE(db->GetMaxCacheSize(), qint64(best) * 25600);
        QCOMPARE(db->GetCacheDirectory(), cache->Path());
        QVERIFY(!QFileInfo::exists(IniPath()));
        dialog.hide();
    }

    // A read-only settings file: neither the cache nor the file changes, the dialog closes.
    void readOnlySettingsFileChangesNothing() {
        ini->WriteString("APP", "APPName", QStringLiteral("ミルテ"));
        const QByteArray before = home->Read(QStringLiteral("Thumbnail.ini"));
        QVERIFY(QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::ReadGroup));
        QVERIFY(ini->IsReadOnly());
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.show();
        dialog.EdCachePath->setText(other->Path());
        dialog.TrackBar->setValue(2);
        dialog.BtnCloseClick();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(db->GetCacheDirectory(), cache->Path());
        QCOMPARE(db->GetMaxCacheSize(), 256000);
        QCOMPARE(home->Read(QStringLiteral("Thumbnail.ini")), before);
    }

    // The old folder's table cannot be saved (its data folder became a file): the error is
    // shown, the old folder stays in force and nothing is stored.
    void aFailedSwitchKeepsTheOldFolder() {
        QVERIFY(!StoreThumbnail().isEmpty()); // the table has something to save
        const QString dataDir = db->DataDir();
        QDir(dataDir).removeRecursively();
        QFile blocker(dataDir);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.show();
        dialog.EdCachePath->setText(other->Path());
        ShownMessage shown;
        ClickInNextMessageBox(shown, 1);
        dialog.BtnCloseClick();
        QVERIFY(shown.Shown);
        QVERIFY(!shown.Text.isEmpty());
        QCOMPARE(shown.Caption, QStringLiteral("ミルテ"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(db->GetCacheDirectory(), cache->Path());
        QCOMPARE(dialog.EdCachePath->text(), cache->Path());
        QVERIFY(!QFileInfo::exists(IniPath()));
        QFile::remove(dataDir);
        dialog.hide();
    }

    void bestSizeFollowsTheVolume() {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.TrackBar->setValue(17);
        dialog.BtnBestClick();
        const int megabytes = DefaultCacheSizeMB(cache->Path());
        QCOMPARE(dialog.TrackBar->value(), std::min(20, megabytes / 25));
        QVERIFY(dialog.TrackBar->value() <= 10); // 250 MB at most
        QCOMPARE(db->GetMaxCacheSize(), 256000); // nothing applied yet
    }

    // The chooser lists the volume that holds the cache folder and shows the folder.
    void chooserShowsTheFolderOnItsVolume() {
        TfrmSelectCachePath chooser(DefaultDir());
        chooser.FormCreate(cache->Path());
        const QString root = QStorageInfo(cache->Path()).rootPath();
        QVERIFY(chooser.DriveComboBox->findData(root) >= 0);
        QCOMPARE(chooser.DriveComboBox->currentData().toString(), root);
        QCOMPARE(chooser.ShownVolume(), root);
        QCOMPARE(chooser.SelectedFolder(), cache->Path());
        QVERIFY(TfrmSelectCachePath::DriveReady(root));
        QVERIFY(!TfrmSelectCachePath::DriveReady(other->File(QStringLiteral("no-volume"))));

        chooser.BtnStartClick();
        QCOMPARE(chooser.SelectedFolder(), DefaultDir());
        QVERIFY(QFileInfo(DefaultDir()).isDir());
    }

    // A volume that cannot be read: the message, and the previous volume stays chosen.
    void chooserRefusesAVolumeThatIsNotReady() {
        TfrmSelectCachePath chooser(DefaultDir());
        chooser.show();
        chooser.FormCreate(cache->Path());
        const int before = chooser.DriveComboBox->currentIndex();
        const QString missing = other->File(QStringLiteral("unplugged"));
        chooser.DriveComboBox->addItem(QStringLiteral("unplugged"), missing);
        ShownMessage shown;
        ClickInNextMessageBox(shown, 1);
        chooser.DriveComboBox->setCurrentIndex(chooser.DriveComboBox->count() - 1);
        QVERIFY(shown.Shown);
        QCOMPARE(shown.Text, missing + QStringLiteral(":ドライブにディスクを挿入してください。"));
        QCOMPARE(shown.Caption, QStringLiteral("ミルテ"));
        QCOMPARE(chooser.DriveComboBox->currentIndex(), before);
        QCOMPARE(chooser.SelectedFolder(), cache->Path());
        chooser.hide();
    }

    // Listing a folder reads no file in it: a read of /proc/kmsg never returns, and the window
    // hung for good on the folder tree of /proc.
    void chooserReadsNoFileOfTheFolderItLists() {
        const QString folder = other->MakeDir(QStringLiteral("listed"));
        const QString data = other->Write(QStringLiteral("listed/data"), QByteArray(64, '\x01'));
        const QString probe = other->Write(QStringLiteral("probe"), "x");
        const QDateTime agedProbe = Aged(probe);
        QFile read(probe);
        QVERIFY(read.open(QIODevice::ReadOnly) && !read.readAll().isEmpty());
        if (QFileInfo(probe).lastRead() == agedProbe) {
            QSKIP("this file system does not note reads");
        }
        const QDateTime aged = Aged(data);

        TfrmSelectCachePath chooser(DefaultDir());
        chooser.show();
        chooser.FormCreate(folder);
        auto* model = qobject_cast<QFileSystemModel*>(chooser.DirectoryListBox->model());
        QVERIFY(model != nullptr);
        QSignalSpy listed(model, &QFileSystemModel::directoryLoaded);
        chooser.DirectoryListBox->expand(model->index(folder)); // as the user opens it
        QTRY_VERIFY(listed.contains(QVariantList{folder}));
        QTest::qWait(200); // what the listing found reaches the model on this thread
        QCOMPARE(QFileInfo(data).lastRead(), aged);
        chooser.hide();
    }

    // The kernel's own file systems keep no cache, even for the superuser who may write there:
    // the dialog refuses them as it refuses a read-only folder, and a settings file that names
    // one falls back to the default folder.
    void kernelFileSystemsAreRefused_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("proc") << QStringLiteral("/proc");
        QTest::newRow("sysfs") << QStringLiteral("/sys");
        QTest::newRow("devtmpfs") << QStringLiteral("/dev");
    }
    void kernelFileSystemsAreRefused() {
        QFETCH(QString, folder);
        const QByteArray type = QStorageInfo(folder).fileSystemType();
        if (type != QTest::currentDataTag()) {
            QSKIP("not mounted here");
        }
        QCOMPARE(RefusalOf(folder), kNoCacheHere);
        ini->WriteString("Cache", "Directory", folder);
        QCOMPARE(ReadCacheDirectory(*ini, DefaultDir()), DefaultDir());
        QCOMPARE(IniFile(IniPath()).ReadString("Cache", "Directory", ""), DefaultDir());
    }

    // "・・・" then OK: the chosen folder lands in the cache dialog with the best size for it.
    void chosenFolderReachesTheCacheDialog() {
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.TrackBar->setValue(17);
        WhenReady([&dialog] { return dialog.SelectCachePath->isVisible(); },
                  [&dialog] {
                      dialog.SelectCachePath->BtnStartClick();
                      dialog.SelectCachePath->BtnOKClick();
                  });
        dialog.BtnSelectPathClick();
        QCOMPARE(dialog.EdCachePath->text(), DefaultDir());
        QCOMPARE(dialog.TrackBar->value(), std::min(20, DefaultCacheSizeMB(DefaultDir()) / 25));
        QCOMPARE(db->GetCacheDirectory(), cache->Path()); // applied only on close

        WhenReady([&dialog] { return dialog.SelectCachePath->isVisible(); },
                  [&dialog] { dialog.SelectCachePath->BtnCancelClick(); });
        dialog.TrackBar->setValue(3);
        dialog.BtnSelectPathClick();
        QCOMPARE(dialog.EdCachePath->text(), DefaultDir()); // unchanged by cancel
        QCOMPARE(dialog.TrackBar->value(), 3);
    }

    // A read-only mount is refused even when the program runs as the superuser.
    void readOnlyVolumeIsRefused() {
        const QString mountPoint = other->File(QStringLiteral("ro"));
        ScratchVolume volume(mountPoint, QStringLiteral("ro,size=1m"));
        if (!volume.Mounted()) {
            QSKIP("mounting a scratch volume needs root");
        }
        QVERIFY(FolderIsReadOnly(mountPoint));
        QVERIFY(!FolderIsReadOnly(cache->Path()));
        QVERIFY(TfrmSelectCachePath::DriveReady(mountPoint)); // readable, so it can be listed
        QCOMPARE(RefusalOf(mountPoint), kReadOnlyMessage);
    }

    // A folder without write permission (only binding for an ordinary user).
    void readOnlyFolderIsRefused() {
        if (::geteuid() == 0) {
            QSKIP("the superuser may write into any folder; the read-only mount covers root");
        }
        const QString folder = other->MakeDir(QStringLiteral("locked"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(FolderIsReadOnly(folder));
        QCOMPARE(RefusalOf(folder), kReadOnlyMessage);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // A full volume: its best size is 0; the cache switches to it and still hands out
    // thumbnails, and clearing it works.
    void fullVolumeGetsALimitOfZero() {
        const QString mountPoint = other->File(QStringLiteral("full"));
        ScratchVolume volume(mountPoint, QStringLiteral("size=256k"));
        if (!volume.Mounted()) {
            QSKIP("mounting a scratch volume needs root");
        }
        {
            QFile filler(mountPoint + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        QCOMPARE(DefaultCacheSizeMB(mountPoint), 0);
        log.LoadRunning = true;
        TfrmCache dialog(*db, *ini, DefaultDir(), Access());
        dialog.EdCachePath->setText(mountPoint);
        dialog.BtnBestClick();
        QCOMPARE(dialog.TrackBar->value(), 0);
        dialog.BtnCloseClick();
        QCOMPARE(db->GetCacheDirectory(), mountPoint);
        QCOMPARE(db->GetMaxCacheSize(), 0);
        QCOMPARE(IniFile(IniPath()).ReadInteger("Cache", "Size", -1), 0);
        const QString picture = StoreThumbnail();
        QVERIFY(!picture.isEmpty());
        QVERIFY(lastMade.Ok()); // made, though it cannot be stored
        dialog.BtnClearClick();
        QCOMPARE(log.Resumes, 2);
        try {
            db->SetCacheDirectory(cache->Path()); // leave the volume before it goes
        } catch (const ECacheError&) {
            // the full volume's table may not be saved; the test is about the dialog
        }
    }

    void settingsRead_data() {
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<bool>("computed");
        QTest::newRow("missing") << QString() << true;
        QTest::newRow("-1") << QStringLiteral("-1") << true;
        QTest::newRow("other negative") << QStringLiteral("-25600") << true;
        QTest::newRow("garbage") << QStringLiteral("abc") << true;
        QTest::newRow("too big for 32 bits") << QStringLiteral("99999999999") << true;
        QTest::newRow("a limit") << QStringLiteral("51200") << false;
        QTest::newRow("zero") << QStringLiteral("0") << false;
    }
    void settingsRead() {
        QFETCH(QString, sizeText);
        QFETCH(bool, computed);
        if (!sizeText.isNull()) {
            ini->WriteString("Cache", "Size", sizeText);
        }
        const qint64 expected =
            computed ? qint64(DefaultCacheSizeMB(cache->Path())) * 1024 : sizeText.toLongLong();
        QCOMPARE(ReadCacheSizeKB(*ini, cache->Path()), expected);
    }

    void missingFolderFallsBackToTheDefault() {
        ini->WriteString("Cache", "Directory", other->File(QStringLiteral("gone")));
        QCOMPARE(ReadCacheDirectory(*ini, DefaultDir()), DefaultDir());
        QVERIFY(QFileInfo(DefaultDir()).isDir());
        QCOMPARE(IniFile(IniPath()).ReadString("Cache", "Directory", ""), DefaultDir());

        ini->WriteString("Cache", "Directory", other->Path());
        QCOMPARE(ReadCacheDirectory(*ini, DefaultDir()), other->Path());
    }

    void missingFolderWithReadOnlySettingsIsNotWritten() {
        ini->WriteString("Cache", "Directory", other->File(QStringLiteral("gone")));
        const QByteArray before = home->Read(QStringLiteral("Thumbnail.ini"));
        QVERIFY(QFile::setPermissions(IniPath(), QFile::ReadOwner));
        QCOMPARE(ReadCacheDirectory(*ini, DefaultDir()), DefaultDir());
        QCOMPARE(home->Read(QStringLiteral("Thumbnail.ini")), before);
    }
};

QTEST_MAIN(TestCacheDialogs)
#include "test_cache_dialogs.moc"
