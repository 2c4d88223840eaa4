// How fast the browse layer is: the loader's two passes on a folder of 1,000 photos (4000 x 3000,
// JPEG quality 90) uncached and cached, the first screenful, the grid with 10,000 items
// (repaint, sorting, memory), and the loader's cold throughput beside mirte-cli thumb.
//
//   bench_browse --photos DIR [--cold N] [--rounds R] [--cold-only] [--cli PATH] [--work DIR]
//
// DIR holds the photos made by make_photos (photo_*.jpg), or other pictures (bench/formats.sh
// gives it HEIC files); the folder of 1,000 is made of hard links to them under 1,000 names
// (each name is its own cache entry and is decoded on its own). --cold N: how many of them the
// cold runs of the loader and of mirte-cli thumb take (default 200), R times each in turn
// (default 3; the best counts). Both render on as many workers as the machine has cores, or
// MIRTE_RENDER_WORKERS (bench/workers.sh compares 1, 2 and 4).
// The scratch folders go to --work (default a temporary folder) and are removed at the end.
#include "browse/image_list_host.h"
#include "browse/image_list_thread.h"
#include "browse/sort_order.h"
#include "browse/thumb_list_view.h"
#include "cache/thumbnail_db.h"
#include "picture/picture_format.h"
#include "util/list_files.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>
#include <unistd.h>

using namespace mirte;

namespace {

class BenchHost : public TImageListHost {
public:
    void SetLoadProgress(int percent) override {
        if (OnProgress) {
            OnProgress(percent);
        }
        Last = percent;
    }
    void SetRepaintItemEnabled(bool) override {}
    void SetWalkProgress(int, int) override {}
    void SetTreeWalked(int, int, const std::vector<TWalkSkip>&) override {}
    std::function<void(int)> OnProgress;
    int Last = 0;
};

QStringList FolderList(const QString& folder) {
    return ListFilePaths(folder, BrowsedExtensions());
}

// count names in folder, each a hard link (or else a copy) of the sources in turn, named by the
// pattern and the source's own extension.
QStringList MakeFolder(const QString& folder, const QStringList& sources, int count,
                       const char* pattern) {
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const QString& source = sources[i % sources.size()];
        const QString target = folder + QLatin1Char('/') + QString::asprintf(pattern, i) +
                               QLatin1Char('.') + QFileInfo(source).suffix();
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) !=
            0) {
            QFile::copy(source, target);
        }
    }
    return FolderList(folder);
}

struct LoadTimes {
    double firstPass = 0;   // seconds to 50 %
    double firstScreen = 0; // seconds until the items in view were all fetched
    double whole = 0;       // seconds to " 読込完了"
};

// One whole load of the files, timed; the GUI thread serves the loader meanwhile.
LoadTimes TimeLoad(TImageListThread& loader, TThumbListView& grid, BenchHost& host,
                   const QStringList& files, bool stopAfterFirstPass = false) {
    LoadTimes times;
    QElapsedTimer clock;
    host.OnProgress = [&](int percent) {
        const double now = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        if (percent >= 50 && times.firstPass == 0) {
            times.firstPass = now;
            if (stopAfterFirstPass) {
                loader.AbortLoad();
            }
        }
        if (percent > 50 && times.firstScreen == 0) {
            const int last = std::min(grid.LastVisibleIndex(), grid.Count() - 1);
            bool all = true;
            for (int i = grid.FirstVisibleIndex(); i <= last && all; ++i) {
                all = grid.Item(i).Facts.Loaded;
            }
            if (all) {
                times.firstScreen = now;
            }
        }
    };
    // The GUI thread sleeps in its event loop as in the program, woken by the hand-overs (and
    // a timer, to look at the loader's state).
    QTimer tick;
    tick.start(5);
    clock.start();
    loader.SetFileList(files);
    while (loader.Loading()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    times.whole = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    host.OnProgress = nullptr;
    return times;
}

long HeapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>(info.uordblks + info.hblkhd);
}

void Line(const char* what, double value, const char* unit, double limit) {
    std::printf("  %-58s %9.3f %-3s (goal < %g %s)%s\n", what, value, unit, limit, unit,
                value < limit ? "" : "  ** over **");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each figure as soon as it is known
    QApplication app(argc, argv);
    QString photoDir;
    QString cli;
    QString workBase;
    int cold = 200;
    int rounds = 3;
    bool coldOnly = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--photos" && i + 1 < args.size()) {
            photoDir = args[++i];
        } else if (args[i] == "--cli" && i + 1 < args.size()) {
            cli = args[++i];
        } else if (args[i] == "--cold" && i + 1 < args.size()) {
            cold = args[++i].toInt();
        } else if (args[i] == "--rounds" && i + 1 < args.size()) {
            rounds = std::max(1, args[++i].toInt());
        } else if (args[i] == "--cold-only") {
            coldOnly = true;
        } else if (args[i] == "--work" && i + 1 < args.size()) {
            workBase = args[++i];
        }
    }
    const QStringList sources = FolderList(photoDir);
    if (photoDir.isEmpty() || sources.isEmpty()) {
        std::fprintf(stderr, "usage: bench_browse --photos DIR [--cold N] [--cli PATH] "
                             "[--work DIR]\n");
        return 2;
    }
    QTemporaryDir work(workBase.isEmpty() ? QDir::tempPath() + "/bench-browse-XXXXXX"
                                          : workBase + "/bench-browse-XXXXXX");
    const QStringList photos = MakeFolder(work.filePath("photos"), sources, 1000, "photo_%04d");
    cold = std::clamp(cold, 1, static_cast<int>(photos.size()));
    std::printf("folder of %lld photos (hard links to %lld made ones), cold runs on %d\n",
                static_cast<long long>(photos.size()), static_cast<long long>(sources.size()),
                cold);

    TThumbListView grid;
    grid.resize(1000, 700);
    grid.SetThumbWidth(128);
    grid.SetThumbHeight(128);
    grid.show();
    BenchHost host;
    auto db = std::make_unique<TThumbnailDB>();
    db->SetCacheDirectory(work.filePath("cache"));
    db->SetMaxCacheSize(qint64{4} * 1024 * 1024);
    auto loader = std::make_unique<TImageListThread>(grid, *db, host);

    std::printf("\n== folder of 1,000 photos (4000 x 3000), display box 128, grid 1000 x 700\n");
    const LoadTimes uncachedFacts = TimeLoad(*loader, grid, host, photos, true);
    Line("first pass, uncached (facts of every file)", uncachedFacts.firstPass, "s", 2);

    // Cold thumbnails: the loader over `cold` photos with an empty cache, then mirte-cli thumb
    // over the same files, in turn `rounds` times; the best time of each counts.
    const QStringList coldSet = photos.mid(0, cold);
    double bestLoader = 0;
    double bestFirstScreen = 0;
    double bestCli = 0;
    for (int round = 0; round < rounds; ++round) {
        {
            TThumbnailDB coldDb;
            coldDb.SetCacheDirectory(work.filePath(QStringLiteral("cold-%1").arg(round)));
            coldDb.SetMaxCacheSize(qint64{4} * 1024 * 1024);
            TImageListThread coldLoader(grid, coldDb, host);
            const LoadTimes times = TimeLoad(coldLoader, grid, host, coldSet);
            const double seconds = times.whole;
            std::printf("    round %d: loader %.3f s (first screenful %.3f s)", round + 1, seconds,
                        times.firstScreen);
            bestLoader = round == 0 ? seconds : std::min(bestLoader, seconds);
            bestFirstScreen =
                round == 0 ? times.firstScreen : std::min(bestFirstScreen, times.firstScreen);
        }
        if (cli.isEmpty()) {
            continue;
        }
        QProcess process;
        QStringList cliArgs{"thumb", "--out", work.filePath(QStringLiteral("cli-%1").arg(round))};
        cliArgs += coldSet;
        QElapsedTimer clock;
        clock.start();
        process.start(cli, cliArgs);
        process.waitForFinished(-1);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            std::printf("  mirte-cli thumb failed: %s\n",
                        process.readAllStandardError().constData());
            cli.clear();
            continue;
        }
        std::printf(", mirte-cli thumb %.3f s\n", seconds);
        bestCli = round == 0 ? seconds : std::min(bestCli, seconds);
    }
    std::printf("  %-58s %9.3f s   (%.1f ms a photo)\n",
                "cold load, loader (both passes, best of the rounds)", bestLoader,
                1000 * bestLoader / cold);
    std::printf("  %-58s %9.3f s\n", "cold load, first screenful (best of the rounds)",
                bestFirstScreen);
    if (!cli.isEmpty()) {
        std::printf("  %-58s %9.3f s   (%.1f ms a photo)\n",
                    "cold, mirte-cli thumb (same files, best of the rounds)", bestCli,
                    1000 * bestCli / cold);
        std::printf("  %-58s %9.2f     (goal >= 1: the loader at least as fast)\n",
                    "throughput ratio loader / mirte-cli thumb", bestCli / bestLoader);
    }
    if (coldOnly) {
        return 0;
    }
    {
        const LoadTimes fill = TimeLoad(*loader, grid, host, photos);
        std::printf("  %-58s %9.3f s   (%.1f ms a photo)\n",
                    "cold load of all 1,000 (fills the cache)", fill.whole, fill.whole);
    }
    // Cached: a new cache object on the same folder, as at the next start of the program.
    loader.reset();
    db.reset();
    db = std::make_unique<TThumbnailDB>();
    db->SetCacheDirectory(work.filePath("cache"));
    db->SetMaxCacheSize(qint64{4} * 1024 * 1024);
    loader = std::make_unique<TImageListThread>(grid, *db, host);
    const int decodedBefore = db->RenderCount();
    const LoadTimes cached = TimeLoad(*loader, grid, host, photos);
    Line("first pass, cached", cached.firstPass, "s", 0.5);
    Line("cached: first screenful of thumbnails", cached.firstScreen, "s", 0.3);
    Line("cached: whole load (\" 読込完了\")", cached.whole, "s", 3);
    std::printf("  (pictures decoded during the cached load: %d)\n",
                db->RenderCount() - decodedBefore);
    loader.reset();

    std::printf("\n== grid of 10,000 items\n");
    {
        TThumbListView big;
        big.resize(1000, 700);
        big.SetThumbWidth(128);
        big.SetThumbHeight(128);
        big.show();
        QCoreApplication::processEvents();
        const long heapBefore = HeapBytes();
        big.SetCount(10000);
        for (int i = 0; i < 10000; ++i) {
            const QString name = QString::asprintf("picture_%05d.jpg", (i * 7919) % 10000);
            TItemFacts facts = NamedFacts("/home/user/Pictures/2026/" + name);
            facts.FileSize = 100000 + (i * 104729) % 900000;
            facts.FileTime = TDateStamp::FromText("2026/12/08 10:00:00");
            facts.ShotTime = TDateStamp::FromText(i % 3 ? "2026/07/01 12:00:00" : "");
            facts.Shown = QSize(640, 480);
            facts.Turn = TItemTurn::AsStored;
            big.SetItemFacts(i, facts);
        }
        const long heapItems = HeapBytes() - heapBefore;
        Line("grid memory per item, beyond the display bitmaps",
             static_cast<double>(heapItems) / 10000.0 / 1024, "KB", 10);
        double worst = 0;
        for (int order : {soName, soSize, soShot, soName}) {
            QElapsedTimer clock;
            clock.start();
            ApplySortOrder(big, order);
            worst = std::max(worst, static_cast<double>(clock.nsecsElapsed()) / 1e9);
        }
        Line("sorting 10,000 items (slowest of the three orders)", worst, "s", 0.2);
        const QImage thumb = QImage(128, 96, QImage::Format_RGB32);
        for (int i = 0; i < 10000; ++i) {
            big.SetDisplayBitmap(i, thumb);
        }
        big.SetScrollPos(big.ScrollRange() / 2);
        QImage canvas(big.viewport()->size() * big.devicePixelRatioF(), QImage::Format_RGB32);
        canvas.setDevicePixelRatio(big.devicePixelRatioF());
        const int rounds = 50;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < rounds; ++i) {
            big.viewport()->render(&canvas);
        }
        Line("repaint of the whole view (1000 x 700, 128 box)",
             static_cast<double>(clock.nsecsElapsed()) / 1e6 / rounds, "ms", 16);
    }
    return 0;
}
