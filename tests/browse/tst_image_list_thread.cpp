// The loader thread with a real cache on a scratch folder and generated pictures: progress,
// both passes, abort and close in either pass, bad files, scrolling, size and order changes.
#include "browse/image_list_thread.h"
#include "browse/load_progress.h"
#include "browse/thumb_list_view.h"
#include "cache/icon_bitmap.h"
#include "cache/picture_scheduler.h"
#include "cache/thumbnail_db.h"
#include "picture/picture_fixtures.h"
#include "picture/picture_format.h"
#include "picture/picture_header.h"
#include "picture/preview_samples.h"
#include "recording_host.h"
#include "support/temp_folder.h"
#include "util/list_files.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace mirte;
using namespace mirte::test;

namespace {

constexpr int LoadTimeout = 60000;

// The main window's part: a folder's files of the accepted kinds, as full paths.
QStringList FolderList(const QString& folder) {
    return ListFilePaths(folder, BrowsedExtensions());
}

// How many renders the loader's workers may have under way besides the one it waits for.
int RendersAhead() {
    return TPictureScheduler::JobsPerWorker * TRenderPool::DefaultWorkers();
}

} // namespace

class TstImageListThread : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void threeFilesGiveTheProgressSequenceAndFullItems();
    void emptyFolderEndsAtOnce();
    void badFilesAreListedMarkedAndNeverHoldTheLoadUp();
    void thousandsOfFilesAreListedAndTheViewComesFirst();
    void abortInTheFirstPassEmptiesTheGrid();
    void abortInTheSecondPassKeepsWhatWasFetched();
    void closingInEitherPassEndsAndSavesTheTable_data();
    void closingInEitherPassEndsAndSavesTheTable();
    void scrollingMakesTheRowsInViewComeNext();
    void aLongLoadSavesTheTableAsItGoes();
    void stopLoadWaitsUntilTheLoaderIsIdle();
    void requestsInQuickSuccessionAreNeverLost();
    void sizeChangeReloadsFromTheSameCache();
    void aReloadKeepsTheTurnsFoundWithoutReadingThemAgain();
    void sortOrderAndReloadSelectedAfterALoad();
    void aRevisitedFolderIsCountedBeforeItIsReadAndPrintingInterruptsTheReading();
    void firstImagesComeBeforeAnyThumbnailAndAreNeverCountedStoredOrPrinted();
    void aScrollWhileFirstImagesComeMovesEveryStageToTheView();
    void aTreeIsWalkedThenListedWithEachItemsFolder();
    void aStopWhileTheTreeIsWalkedEmptiesTheGrid();

private:
    QString Picture(const QString& name, int w, int h, int quality = 90) {
        return pictures->Write(name, EncodeWithQt(MakeTestPicture(w, h), "jpg", quality));
    }
    // Camera-like photos: a picture of 1200 x 800 with its preview of 240 x 160 in MPF data (the
    // first image), slow to render beside the preview.
    QStringList CameraPictures(int count) {
        const QByteArray main = EncodeWithQt(MakeTestPicture(1200, 800), "jpg", 90);
        const QByteArray photo =
            MakeMpfJpeg(main, EncodeWithQt(MakeTestPicture(240, 160), "jpg", 90));
        for (int i = 0; i < count; ++i) {
            pictures->Write(QStringLiteral("c%1.jpg").arg(i, 3, 10, QLatin1Char('0')), photo);
        }
        return FolderList(pictures->Path());
    }
    int ShowingFirstImages() const {
        int first = 0;
        for (int i = 0; i < grid->Count(); ++i) {
            first += grid->Item(i).FirstImage;
        }
        return first;
    }
    QStringList Pictures(int count, int w = 64, int h = 48) {
        for (int i = 0; i < count; ++i) {
            Picture(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), w, h);
        }
        return FolderList(pictures->Path());
    }
    // Serves the loader's hand-overs as the program's event loop does, without the pauses of
    // QTest::qWaitFor, until done() holds or the time is up.
    template <class Done> static bool WaitFor(Done done) {
        QElapsedTimer clock;
        clock.start();
        QTimer tick;
        tick.start(5);
        while (!done() && clock.elapsed() < LoadTimeout) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return done();
    }
    bool WaitIdle() {
        return WaitFor([&] { return !loader->Loading(); });
    }
    int Finished() const {
        int done = 0;
        for (int i = 0; i < grid->Count(); ++i) {
            done += grid->Item(i).Facts.Loaded;
        }
        return done;
    }
    int Index(const QString& name) const {
        for (int i = 0; i < grid->Count(); ++i) {
            if (grid->Item(i).Caption == name) {
                return i;
            }
        }
        return -1;
    }
    QString TableFile() const {
        QDirIterator it(cache->Path(), {"_TDBCache.dat"}, QDir::Files,
                        QDirIterator::Subdirectories);
        return it.hasNext() ? it.next() : QString();
    }

    std::unique_ptr<TempFolder> pictures;
    std::unique_ptr<TempFolder> cache;
    std::unique_ptr<TThumbnailDB> db;
    std::unique_ptr<TThumbListView> grid;
    std::unique_ptr<RecordingHost> host;
    std::unique_ptr<TImageListThread> loader;
};

void TstImageListThread::init() {
    pictures = std::make_unique<TempFolder>();
    cache = std::make_unique<TempFolder>();
    db = std::make_unique<TThumbnailDB>();
    db->SetCacheDirectory(cache->Path());
    db->SetMaxCacheSize(1000000);
    grid = std::make_unique<TThumbListView>();
    grid->SetThumbWidth(96);
    grid->SetThumbHeight(96);
    grid->resize(400, 300);
    grid->show();
    host = std::make_unique<RecordingHost>();
    loader = std::make_unique<TImageListThread>(*grid, *db, *host);
}

void TstImageListThread::cleanup() {
    loader.reset(); // ends the thread, serving its hand-overs
    host.reset();
    grid.reset();
    db.reset();
    cache.reset();
    pictures.reset();
}

void TstImageListThread::threeFilesGiveTheProgressSequenceAndFullItems() {
    Picture("a.jpg", 160, 120);
    Picture("b.jpg", 120, 160);
    Picture("c.jpg", 64, 64);
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(loader->Loading());
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress, (QList<int>{17, 33, 50, 67, 83, 100}));
    QCOMPARE(host->RepaintEnabled, (QList<bool>{false, true}));
    QCOMPARE(grid->Count(), 3);
    QCOMPARE(Finished(), 3);
    QVERIFY(grid->ShowItems());
    const TThumbnailData& a = grid->Item(Index("a.jpg"));
    QCOMPARE(InfoText(a.Facts, ieFullPath), pictures->File("a.jpg"));
    QCOMPARE(InfoText(a.Facts, ieFileSize),
             QString::number(QFileInfo(pictures->File("a.jpg")).size()));
    QCOMPARE(InfoText(a.Facts, ieWidth), QStringLiteral("160"));
    QCOMPARE(InfoText(a.Facts, ieHeight), QStringLiteral("120"));
    QCOMPARE(InfoText(a.Facts, ieFileTime).size(), 19); // yyyy/mm/dd hh:mm:ss
    QCOMPARE(a.Bitmap.deviceIndependentSize().toSize(), QSize(96, 72));
    QCOMPARE(grid->Item(Index("b.jpg")).Bitmap.deviceIndependentSize().toSize(), QSize(72, 96));
    QCOMPARE(grid->Item(Index("c.jpg")).Bitmap.deviceIndependentSize().toSize(), QSize(96, 96));
    // The cache stores its 512 box, and its table was saved when the load ended.
    QCOMPARE(db->Thumbnail(pictures->File("a.jpg")).Picture.size(), QSize(512, 384));
    const QString table = TableFile();
    QVERIFY(!table.isEmpty());
    QVERIFY(pictures->Read(table).count('\n') >= 3);
    QCOMPARE(loader->CyclesDone(), 1);
}

void TstImageListThread::emptyFolderEndsAtOnce() {
    loader->SetFileList({});
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress, (QList<int>{100}));
    QCOMPARE(grid->Count(), 0);
    QCOMPARE(host->RepaintEnabled.last(), false);
}

void TstImageListThread::badFilesAreListedMarkedAndNeverHoldTheLoadUp() {
    Picture("a_good.jpg", 100, 80);
    pictures->Write("b_broken.jpg", QByteArray("\xFF\xD8 not really a picture", 24));
    pictures->Write("c_empty.png", QByteArray());
    Picture("d_vanishes.jpg", 90, 90);
    Picture("e_changes.jpg", 40, 40);
    pictures->Write("f_movie.avi", QByteArray("RIFF....AVI "));
    // A name that is not valid UTF-8.
    const QByteArray rawName = QFile::encodeName(pictures->Path()) + "/g_bad\xff\xfe.jpg";
    const QByteArray jpeg = EncodeWithQt(MakeTestPicture(30, 30), "jpg");
    const int fd = ::open(rawName.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, jpeg.constData(), static_cast<size_t>(jpeg.size())), jpeg.size());
    ::close(fd);
    // The scratch folder's clean-up cannot name it: it goes here.
    const auto removeRaw = qScopeGuard([&] { ::unlink(rawName.constData()); });
    QStringList files = FolderList(pictures->Path());
    QCOMPARE(files.size(), 7);
    files << pictures->File("h_gone.avi"); // listed, then gone before the load

    // Between the passes one picture vanishes and another is rewritten.
    host->OnProgress = [&](int percent) {
        if (percent == 50) {
            QFile::remove(pictures->File("d_vanishes.jpg"));
            Picture("e_changes.jpg", 80, 20);
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress.last(), 100);
    QCOMPARE(grid->Count(), 8);
    QCOMPARE(Finished(), 8);

    const TThumbnailData& good = grid->Item(Index("a_good.jpg"));
    QVERIFY(!good.LoadFailed);
    QVERIFY(!good.Bitmap.isNull());
    // A picture whose facts cannot be read has none, not the previous file's.
    for (const char* name : {"b_broken.jpg", "c_empty.png"}) {
        const TThumbnailData& bad = grid->Item(Index(name));
        QVERIFY2(bad.LoadFailed, name);
        QVERIFY(bad.Bitmap.isNull());
        QCOMPARE(InfoText(bad.Facts, ieFullPath), pictures->File(name));
        QCOMPARE(InfoText(bad.Facts, ieWidth), QString());
        QVERIFY(InfoText(bad.Facts, ieFileSize) != InfoText(good.Facts, ieFileSize));
    }
    const TThumbnailData& vanished = grid->Item(Index("d_vanishes.jpg"));
    QVERIFY(vanished.LoadFailed);
    QCOMPARE(InfoText(vanished.Facts, ieWidth),
             QStringLiteral("90")); // the facts of the first pass
    const TThumbnailData& changed = grid->Item(Index("e_changes.jpg"));
    QVERIFY(!changed.LoadFailed);
    QCOMPARE(changed.Bitmap.deviceIndependentSize().toSize(), QSize(96, 24));
    // Movies show their file type's icon bitmap, even one whose entry is gone.
    const TThumbnailData& movie = grid->Item(Index("f_movie.avi"));
    QCOMPARE(movie.Bitmap.deviceIndependentSize().toSize(), QSize(96, 96));
    QCOMPARE(InfoText(movie.Facts, ieWidth), QString::number(MakeIconBitmap("f.avi").width()));
    QCOMPARE(InfoText(movie.Facts, ieFileSize), QStringLiteral("12"));
    const TThumbnailData& gone = grid->Item(Index("h_gone.avi"));
    QCOMPARE(InfoText(gone.Facts, ieFileSize), QString());
    QVERIFY(!gone.Bitmap.isNull() && !gone.LoadFailed);
    // The badly named file is listed and shown as one that cannot be loaded.
    int badName = -1;
    for (int i = 0; i < grid->Count(); ++i) {
        if (grid->Item(i).Caption.startsWith(QStringLiteral("g_bad"))) {
            badName = i;
        }
    }
    QVERIFY(badName >= 0);
    QVERIFY(grid->Item(badName).LoadFailed);
}

void TstImageListThread::thousandsOfFilesAreListedAndTheViewComesFirst() {
    const QByteArray tiny = EncodeWithQt(MakeTestPicture(8, 6), "bmp");
    for (int i = 0; i < 3000; ++i) {
        pictures->Write(QStringLiteral("t%1.bmp").arg(i, 4, 10, QLatin1Char('0')), tiny);
    }
    // Every file listed with its facts; then the view jumps to the end, whose thumbnails come
    // next, and the load is stopped there.
    bool rising = true;
    bool listedWhole = false;
    host->OnProgress = [&](int percent) {
        const QList<int>& seen = host->Progress;
        rising = rising && (seen.size() < 2 || percent > seen[seen.size() - 2] || percent < 0);
        if (percent > 50 && seen.size() >= 2 && seen[seen.size() - 2] <= 50) {
            listedWhole = true; // the first report of the second pass
            for (int i = 0; i < grid->Count() && listedWhole; ++i) {
                listedWhole = InfoText(grid->Item(i).Facts, ieWidth) == QStringLiteral("8");
            }
        }
        if (percent > 50) {
            grid->SetScrollPos(grid->ScrollRange());
            if (grid->Item(2999).Facts.Loaded) {
                loader->AbortLoad();
            }
        }
    };
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(WaitIdle());
    QVERIFY(rising);
    QVERIFY(listedWhole);
    QCOMPARE(host->Progress.last(), -1);
    QCOMPARE(grid->Count(), 3000);
    QCOMPARE(grid->Item(2999).Caption, QStringLiteral("t2999.bmp"));
    QVERIFY(!grid->Item(2999).Bitmap.isNull());
    QVERIFY(Finished() < 100); // the rows in view, not the whole folder
}

void TstImageListThread::abortInTheFirstPassEmptiesTheGrid() {
    const QStringList files = Pictures(40);
    host->OnProgress = [&](int) { loader->AbortLoad(); };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress, (QList<int>{1, -1}));
    QCOMPARE(grid->Count(), 0);
    QCOMPARE(host->RepaintEnabled.last(), false);
    // The next load runs whole.
    host->OnProgress = nullptr;
    loader->Reload();
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress.last(), 100);
    QCOMPARE(Finished(), 40);
}

void TstImageListThread::abortInTheSecondPassKeepsWhatWasFetched() {
    const QStringList files = Pictures(40);
    host->OnProgress = [&](int percent) {
        if (percent > 50) {
            loader->AbortLoad();
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress.last(), -1);
    QCOMPARE(grid->Count(), 40);
    // The first item, and those the loader made meanwhile: thumbnails are shown without its
    // waiting, so up to MaxQueuedShows more can be on their way when the abort is asked for,
    // besides the renders the workers had finished then.
    QVERIFY(Finished() >= 1 && Finished() <= 2 + TImageListThread::MaxQueuedShows + RendersAhead());
    // They came from the start of the grid (the workers finish the first few in any order).
    int first = 0;
    while (first < grid->Count() && grid->Item(first).Bitmap.isNull()) {
        ++first;
    }
    QVERIFY(first < RendersAhead());
    QCOMPARE(grid->Item(first).Caption,
             QStringLiteral("p%1.jpg").arg(first, 3, 10, QLatin1Char('0')));
    QCOMPARE(host->RepaintEnabled.last(), true);
}

void TstImageListThread::closingInEitherPassEndsAndSavesTheTable_data() {
    QTest::addColumn<int>("at");
    QTest::newRow("first pass") << 10;
    QTest::newRow("second pass") << 60;
}

void TstImageListThread::closingInEitherPassEndsAndSavesTheTable() {
    QFETCH(int, at);
    const QStringList files = Pictures(40, 400, 300);
    bool closed = false;
    host->OnProgress = [&](int percent) {
        if (percent >= at && !closed) {
            closed = true;
            // As the window's close would: after this hand-over, while the loader goes on.
            QMetaObject::invokeMethod(
                grid.get(), [&] { loader->Terminate(); }, Qt::QueuedConnection);
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitFor([&] { return closed && !loader->Loading(); }));
    const int finished = Finished();
    QVERIFY(Finished() < 40);
    if (at > 50) {
        QVERIFY(finished >= 1);
        // The thumbnails made so far are in the saved table (before the cache is closed).
        const QString table = TableFile();
        QVERIFY(!table.isEmpty());
        QVERIFY(pictures->Read(table).count('\n') >= finished);
    } else {
        QCOMPARE(finished, 0);
    }
    loader->Terminate(); // again: nothing happens
}

void TstImageListThread::scrollingMakesTheRowsInViewComeNext() {
    const QStringList files = Pictures(60);
    QList<int> order;          // items in the order they were shown
    qsizetype scrolledAt = -1; // how many were shown when the view moved
    int bottomFirst = -1;
    QList<bool> seen(60, false);
    host->OnProgress = [&](int percent) {
        if (percent <= 50) {
            return;
        }
        for (int i = 0; i < grid->Count(); ++i) {
            if (!seen[i] && grid->Item(i).Facts.Loaded) {
                seen[i] = true;
                order << i;
            }
        }
        if (bottomFirst < 0) {
            grid->SetScrollPos(grid->ScrollRange());
            bottomFirst = grid->FirstVisibleIndex();
            scrolledAt = order.size();
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress.last(), 100);
    // The pass began at the first item in view (the workers may finish its first few in any
    // order).
    QVERIFY(order.value(0, -1) >= 0 && order.value(0) < RendersAhead());
    QVERIFY(bottomFirst > 40);
    // After the move the rows in view come next. Only the pictures being made at that moment,
    // and the thumbnails already on their way to the GUI thread, may still come from the old
    // place.
    const int MayStray = 1 + TImageListThread::MaxQueuedShows + RendersAhead();
    const QList<int> next = order.mid(scrolledAt, MayStray + 3);
    QCOMPARE(next.size(), MayStray + 3);
    int stray = 0;
    for (int index : next) {
        stray += index < bottomFirst;
    }
    QVERIFY2(stray <= MayStray, qPrintable(QString::number(stray)));
    QCOMPARE(Finished(), 60); // the skipped ones followed after the wrap-around
}

void TstImageListThread::aLongLoadSavesTheTableAsItGoes() {
    constexpr int Count = 260;
    const QStringList files = Pictures(Count, 16, 12);
    // Once the 200th new thumbnail and the few on their way with it are shown, the table
    // holds them already, before the load ends: a crash then would lose little.
    const int seenAfterSave = Count + TImageListThread::SaveEveryRecords + 1 + RendersAhead() +
                              TImageListThread::MaxQueuedShows;
    const int percent = 100 * seenAfterSave / (2 * Count) + 1;
    QVERIFY(percent < 100);
    qsizetype savedLines = -1;
    host->OnProgress = [&](int shown) {
        if (shown >= percent && shown < 100 && savedLines < 0) {
            savedLines = pictures->Read(TableFile()).count('\n');
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QVERIFY2(savedLines >= TImageListThread::SaveEveryRecords,
             qPrintable(QString::number(savedLines)));
    QVERIFY(savedLines < Count);
    QCOMPARE(pictures->Read(TableFile()).count('\n'), Count); // and all of them at the end
}

void TstImageListThread::stopLoadWaitsUntilTheLoaderIsIdle() {
    loader->StopLoad(); // idle: returns at once
    const QStringList files = Pictures(40, 400, 300);
    bool stopped = false;
    bool idleAfterStop = false;
    host->OnProgress = [&](int percent) {
        if (percent > 55 && !stopped) {
            stopped = true;
            QMetaObject::invokeMethod(
                grid.get(),
                [&] {
                    loader->StopLoad();
                    idleAfterStop = !loader->Loading();
                },
                Qt::QueuedConnection);
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitFor([&] { return idleAfterStop; }));
    QCOMPARE(host->Progress.last(), -1);
    QVERIFY(Finished() < 40);
    // The cache is the GUI thread's now.
    QVERIFY(db->Thumbnail(files.last()).Ok());
    // A list asked for and stopped before it began never begins.
    for (int round = 0; round < 50; ++round) {
        loader->SetFileList(files);
        loader->StopLoad();
        QVERIFY(!loader->Loading());
    }
}

void TstImageListThread::requestsInQuickSuccessionAreNeverLost() {
    const QStringList files = Pictures(12);
    for (int round = 0; round < 30; ++round) {
        loader->SetFileList(files.mid(0, 1 + round % 12));
        if (round % 3 == 0) {
            QTest::qWait(1);
        }
        if (round % 5 == 0) {
            loader->Reload();
        }
    }
    loader->SetFileList(files.mid(0, 5));
    QVERIFY(WaitIdle());
    QCOMPARE(grid->Count(), 5);
    QCOMPARE(Finished(), 5);
    QCOMPARE(host->Progress.last(), 100);
    // A request made right as the loader went to sleep still runs.
    for (int round = 0; round < 20; ++round) {
        const int cycles = loader->CyclesDone();
        loader->SetFileList(files.mid(0, 2));
        QVERIFY(WaitIdle());
        QVERIFY(loader->CyclesDone() > cycles);
        QCOMPARE(grid->Count(), 2);
    }
}

void TstImageListThread::sizeChangeReloadsFromTheSameCache() {
    Picture("wide.jpg", 800, 400);
    Picture("tall.jpg", 300, 600);
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(WaitIdle());
    const int decoded = db->RenderCount();
    QCOMPARE(decoded, 2);
    loader->SetThumbnailSize(256, 256);
    QVERIFY(WaitIdle());
    QCOMPARE(grid->CellWidth(), 272);
    QCOMPARE(grid->Item(Index("wide.jpg")).Bitmap.deviceIndependentSize().toSize(),
             QSize(256, 128));
    QCOMPARE(grid->Item(Index("tall.jpg")).Bitmap.deviceIndependentSize().toSize(),
             QSize(128, 256));
    QCOMPARE(db->RenderCount(), decoded); // served from the 512 box of the cache
}

// A photo listed from its record is found turned once, by its stored thumbnail; a reload of the
// folder keeps that turn rather than reading the thumbnail again.
void TstImageListThread::aReloadKeepsTheTurnsFoundWithoutReadingThemAgain() {
    const QString path = pictures->Write(QStringLiteral("turned.jpg"),
                                         MakeExifJpeg(MakeTestPicture(64, 48), {"", "", 6}));
    Picture("plain.jpg", 64, 48);
    const QStringList files = FolderList(pictures->Path());
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    loader->SetFileList(files); // now listed from the records
    QVERIFY(WaitIdle());
    QCOMPARE(grid->ItemFacts(Index("turned.jpg")).Shown, QSize(48, 64));
    // A stored thumbnail lying the other way: a read of it would find the photo not turned.
    const std::optional<TStoredThumbnail> stored = db->Locate(path);
    QVERIFY(stored);
    QVERIFY(SwapKeepingSizeAndTime(stored->File, EncodeWithQt(MakeTestPicture(64, 48), "jpg")));
    for (const bool sizeChange : {false, true}) {
        if (sizeChange) {
            loader->SetThumbnailSize(128, 128);
        } else {
            loader->Reload();
        }
        QVERIFY(WaitIdle());
        const TItemFacts& turned = grid->ItemFacts(Index("turned.jpg"));
        QCOMPARE(turned.Turn, TItemTurn::Quarter);
        QCOMPARE(turned.Shown, QSize(48, 64));
        QCOMPARE(turned.StoredSize(), QSize(64, 48));
        QCOMPARE(grid->ItemFacts(Index("plain.jpg")).Turn, TItemTurn::AsStored);
    }
    // A folder listed anew, with nothing before it, reads the thumbnail.
    loader->SetFileList({});
    QVERIFY(WaitIdle());
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QCOMPARE(grid->ItemFacts(Index("turned.jpg")).Shown, QSize(64, 48));
}

void TstImageListThread::sortOrderAndReloadSelectedAfterALoad() {
    Picture("a_big.jpg", 300, 200, 100);
    Picture("b_small.jpg", 16, 16, 10);
    Picture("c_mid.jpg", 120, 90, 80);
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(WaitIdle());
    loader->SetSortOrder(1);
    QCOMPARE(loader->SortOrder(), 1);
    QCOMPARE(grid->Item(0).Caption, QStringLiteral("b_small.jpg"));
    QCOMPARE(grid->Item(2).Caption, QStringLiteral("a_big.jpg"));
    const qint64 big = QFileInfo(pictures->File("a_big.jpg")).size();
    QCOMPARE(InfoText(grid->Item(2).Facts, ieSortLine),
             QStringLiteral("%1KB (300x200)").arg(big / 1024));
    loader->SetSortOrder(7); // ignored
    QCOMPARE(loader->SortOrder(), 1);
    // A reload keeps the order.
    loader->Reload();
    QVERIFY(WaitIdle());
    QCOMPARE(grid->Item(0).Caption, QStringLiteral("b_small.jpg"));

    // Re-make the selected item's thumbnail: decoded again, drawn again.
    loader->ReloadSelected(); // nothing selected: nothing happens
    const int decoded = db->RenderCount();
    QCOMPARE(decoded, 3);
    grid->SetSelected(2);
    TItemFacts unmarked = grid->ItemFacts(2);
    unmarked.Loaded = false;
    grid->SetItemFacts(2, unmarked);
    loader->ReloadSelected();
    QCOMPARE(db->RenderCount(), decoded + 1);
    QCOMPARE(InfoText(grid->Item(2).Facts, ieLoadMark), QStringLiteral("Finished"));
    // Through the cache's box: 300 x 200 is kept as 512 x 341, shown as 96 x 63.
    QCOMPARE(grid->Item(2).Bitmap.deviceIndependentSize().toSize(), QSize(96, 63));
    // A picture gone since shows the mark.
    QFile::remove(pictures->File("a_big.jpg"));
    loader->ReloadSelected();
    QVERIFY(grid->Item(2).LoadFailed);
}

// A folder seen before: every thumbnail counts as made once the cache is found to have it, so
// " 読込完了" comes before the grid has read them all; the reading goes on after it, gives way to
// a print (SettleIdle) without a word, and ResumeFill finishes it. Nothing is rendered again,
// and each photo's turn is told by its thumbnail as it is read.
void TstImageListThread::aRevisitedFolderIsCountedBeforeItIsReadAndPrintingInterruptsTheReading() {
    Pictures(600, 640, 480);
    pictures->Write(QStringLiteral("p999.jpg"),
                    MakeExifJpeg(MakeTestPicture(640, 480), {"", "", 6}));
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(WaitIdle());
    QCOMPARE(db->RenderCount(), grid->Count());
    // A new start: nothing listed before, the records read from disk.
    loader.reset();
    db->SaveTable();
    db = std::make_unique<TThumbnailDB>();
    db->SetCacheDirectory(cache->Path());
    db->SetMaxCacheSize(1000000);
    grid->Clear();
    loader = std::make_unique<TImageListThread>(*grid, *db, *host);

    int unreadAtEnd = -1;
    bool settled = false;
    host->Progress.clear();
    host->OnProgress = [&](int percent) {
        if (percent < 100 || unreadAtEnd >= 0) {
            return;
        }
        unreadAtEnd = 0;
        for (int i = 0; i < grid->Count(); ++i) {
            unreadAtEnd += grid->Item(i).Bitmap.isNull();
        }
        QTimer::singleShot(0, [&] { settled = loader->SettleIdle(); });
    };
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(WaitFor([&] { return settled; }));
    QVERIFY2(unreadAtEnd > 0, "the whole folder was read before it was counted");
    int unreadAfterYield = 0;
    for (int i = 0; i < grid->Count(); ++i) {
        unreadAfterYield += grid->Item(i).Bitmap.isNull();
        QVERIFY(grid->Item(i).Facts.Loaded); // counted, read or not
    }
    QVERIFY2(unreadAfterYield > 0, "the reading did not give way");
    QVERIFY(!host->Progress.contains(-1)); // giving way is not an abort

    loader->ResumeFill();
    QVERIFY(WaitIdle());
    for (int i = 0; i < grid->Count(); ++i) {
        QVERIFY(!grid->Item(i).Bitmap.isNull());
        QVERIFY(!grid->Item(i).LoadFailed);
    }
    QCOMPARE(db->RenderCount(), 0);
    const TItemFacts& turned = grid->ItemFacts(Index("p999.jpg"));
    QCOMPARE(turned.Turn, TItemTurn::Quarter);
    QCOMPARE(turned.Shown, QSize(480, 640));
}

// Every cell shows its file's own preview before the first thumbnail is rendered; the preview is
// not a thumbnail for the printing (the item gives none), counts for nothing in the progress and
// is never stored: the cache holds the pictures' own thumbnails.
void TstImageListThread::firstImagesComeBeforeAnyThumbnailAndAreNeverCountedStoredOrPrinted() {
    constexpr int Count = 30;
    const QStringList files = CameraPictures(Count);
    int firstImagesAtFirstThumbnail = -1;
    int printableFirstImages = 0;
    int reportsBeforeAThumbnail = 0;
    host->OnProgress = [&](int percent) {
        if (percent == 50) {
            reportsBeforeAThumbnail = int(host->Progress.size());
        }
        if (percent > 50 && firstImagesAtFirstThumbnail < 0) {
            firstImagesAtFirstThumbnail = ShowingFirstImages();
            for (int i = 0; i < grid->Count(); ++i) {
                printableFirstImages +=
                    grid->Item(i).FirstImage && !grid->Item(i).Thumbnail().isNull();
            }
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    // The one thumbnail just shown has replaced its cell's preview; only the previews the
    // workers still had under way when the thumbnails began may come after it.
    QVERIFY(firstImagesAtFirstThumbnail <= Count - 1);
    QVERIFY2(firstImagesAtFirstThumbnail >= Count - 1 - RendersAhead(),
             qPrintable(QString::number(firstImagesAtFirstThumbnail)));
    QCOMPARE(printableFirstImages, 0);
    // The report after the listing's 50 % is the first thumbnail's: the previews moved nothing.
    QCOMPARE(host->Progress.value(reportsBeforeAThumbnail), ProgressPercent(Count + 1, 2 * Count));
    QCOMPARE(host->Progress.last(), 100);
    QCOMPARE(ShowingFirstImages(), 0);
    QCOMPARE(Finished(), Count);
    QCOMPARE(db->RenderCount(), Count);
    const std::optional<TStoredThumbnail> stored = db->Locate(files.first());
    QVERIFY(stored);
    const PictureHeader header = ReadPictureHeader(stored->File);
    QCOMPARE(QSize(header.width, header.height), QSize(512, 341)); // not the preview's 240 x 160
    QVERIFY(!grid->Item(0).Thumbnail().isNull()); // shown, and now for printing too
}

// The view moved while the previews come: the cells now in view get theirs and then their
// thumbnails before any cell elsewhere gets a thumbnail.
void TstImageListThread::aScrollWhileFirstImagesComeMovesEveryStageToTheView() {
    constexpr int Count = 240;
    const QStringList files = CameraPictures(Count);
    int bottomFirst = -1;
    int bottomLast = -1;
    int viewShowingAtFirstThumbnail = -1;
    QList<int> order; // the cells in the order their thumbnails came
    QList<bool> seen(Count, false);
    host->OnProgress = [&](int percent) {
        if (percent == 50 && bottomFirst < 0) {
            QTimer::singleShot(0, [&] {
                grid->SetScrollPos(grid->ScrollRange());
                bottomFirst = grid->FirstVisibleIndex();
                bottomLast = std::min(grid->LastVisibleIndex(), Count - 1);
            });
        }
        if (percent <= 50) {
            return;
        }
        if (viewShowingAtFirstThumbnail < 0) {
            viewShowingAtFirstThumbnail = 0;
            for (int i = bottomFirst; i <= bottomLast; ++i) {
                viewShowingAtFirstThumbnail += !grid->Item(i).Bitmap.isNull();
            }
        }
        for (int i = 0; i < grid->Count(); ++i) {
            if (!seen[i] && grid->Item(i).Facts.Loaded) {
                seen[i] = true;
                order << i;
            }
        }
    };
    loader->SetFileList(files);
    QVERIFY(WaitIdle());
    QVERIFY(bottomFirst > Count / 2);
    QCOMPARE(viewShowingAtFirstThumbnail, bottomLast - bottomFirst + 1);
    // The first thumbnails are the new view's; only those under way when the view moved may
    // come from the top.
    const int inView = bottomLast - bottomFirst + 1;
    int stray = 0;
    for (const int index : order.mid(0, inView)) {
        stray += index < bottomFirst;
    }
    QVERIFY2(stray <= RendersAhead(), qPrintable(QString::number(stray)));
    QCOMPARE(Finished(), Count);
}

void TstImageListThread::aTreeIsWalkedThenListedWithEachItemsFolder() {
    Picture("top.jpg", 64, 48);
    Picture("2024/trip/a.jpg", 64, 48);
    Picture("2024/b.jpg", 64, 48);
    QVERIFY(QFile::link(pictures->File("2024"), pictures->File("2024/trip/back"))); // a loop
    loader->SetFolderTree(pictures->Path());
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress.first(), 0); // loading from the start of the walk
    QCOMPARE(host->Progress.last(), 100);
    QCOMPARE(host->WalkedFolders, 3);
    QCOMPARE(host->Skipped.size(), size_t(1));
    QCOMPARE(grid->Count(), 3);
    QCOMPARE(Finished(), 3);
    QStringList shown;
    for (int i = 0; i < grid->Count(); ++i) {
        shown << NameWithFolder(grid->Item(i).Facts);
    }
    QCOMPARE(shown, (QStringList{"top.jpg", "2024/b.jpg", "2024/trip/a.jpg"}));
    // A list of files again: no folders.
    loader->SetFileList(FolderList(pictures->Path()));
    QVERIFY(WaitIdle());
    QCOMPARE(grid->Count(), 1);
    QVERIFY(grid->Item(0).Facts.Folder.isEmpty());
}

void TstImageListThread::aStopWhileTheTreeIsWalkedEmptiesTheGrid() {
    for (int i = 0; i < 30; ++i) {
        pictures->Write(QStringLiteral("f%1/p.jpg").arg(i), "not a picture");
    }
    loader->SetFileList(FolderList(pictures->Path())); // something shown before
    QVERIFY(WaitIdle());
    host->Progress.clear();
    host->WalkedFolders = -1;
    host->OnProgress = [&](int percent) {
        if (percent == 0) {
            loader->AbortLoad(); // asked as the walk begins
        }
    };
    loader->SetFolderTree(pictures->Path());
    QVERIFY(WaitIdle());
    QCOMPARE(host->Progress, (QList<int>{0, -1}));
    QCOMPARE(host->WalkedFolders, -1); // never told as ended
    QCOMPARE(grid->Count(), 0);
    // The next load walks it whole.
    host->OnProgress = nullptr;
    loader->Reload();
    QVERIFY(WaitIdle());
    QCOMPARE(host->WalkedFolders, 31);
    QCOMPARE(grid->Count(), 30);
}

QTEST_MAIN(TstImageListThread)
#include "tst_image_list_thread.moc"
