// The main window on a folder of photos, offscreen: the time from choosing the folder to the
// first screenful, to every cell showing a picture, and to " 読込完了".
//   bench_window [--count N] [--runs R] [--size-kb KB] [--keep DIR] [--folder DIR] [--cold]
//                [--window W H] [--subfolders]
// --keep DIR keeps the photos and the filled cache in DIR, and takes them from there next time
// (the same count and limit), so that a profile sees the measured loads only. --folder DIR
// measures a folder of one's own instead of made photos; --cold empties the cache before the
// first run (nothing is filled first), so that it is a new folder and the runs after it the
// same folder seen again. Each run gives the time to the first screenful (every cell in
// view showing a picture, whatever kind), to every cell showing one, and to " 読込完了".
// --subfolders shows the folders below the chosen one too; the made photos are then spread over
// ten subfolders (a tree of the same photos, to compare with the flat folder).
// The cache's limit is 4,096,000 KB unless given (-1: the program's default from free space,
// which may hold fewer thumbnails than the folder has: then the loads are not all cache hits).
#include "browse/thumb_list_view.h"
#include "picture/picture_format.h"
#include "report/font_substitutes.h"
#include "shell/frm_thumbnail.h"
#include "util/folder_walk.h"

#include <QApplication>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace mirte;

namespace {

// A photo-like 1600 x 1200 JPEG: sky, ground and a few shapes, with grain.
QByteArray MakePhoto() {
    QImage image(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 700);
    sky.setColorAt(0, QColor(70, 120, 200));
    sky.setColorAt(1, QColor(200, 220, 240));
    painter.fillRect(0, 0, 1600, 700, sky);
    painter.fillRect(0, 700, 1600, 500, QColor(70, 120, 50));
    QRandomGenerator random(7);
    for (int i = 0; i < 40; ++i) {
        painter.setBrush(QColor::fromHsv(random.bounded(360), 180, 220));
        painter.drawEllipse(QPoint(random.bounded(1600), random.bounded(1200)), 60, 80);
    }
    painter.end();
    for (int y = 0; y < image.height(); y += 2) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); x += 3) {
            line[x] ^= random.bounded(0x10) * 0x010101;
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpg", 90);
    return bytes;
}

// Runs the event loop as the program does (sleeping while there is nothing to do, so that the
// loader's threads have the cores), looking every few milliseconds.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired()) {
            loop.quit();
        }
    });
    look.start(2);
    if (!done()) {
        loop.exec();
    }
    return done();
}

bool Shows(const TThumbListView& grid, int index) {
    const TThumbnailData& item = grid.Item(index);
    return !item.Bitmap.isNull() || item.LoadFailed;
}

bool FirstScreenfulShown(const TThumbListView& grid) {
    if (grid.Count() == 0 || !grid.ShowItems()) {
        return false;
    }
    const int last = std::min(grid.LastVisibleIndex(), grid.Count() - 1);
    for (int i = grid.FirstVisibleIndex(); i <= last; ++i) {
        if (!Shows(grid, i)) {
            return false;
        }
    }
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    int count = 1000;
    int runs = 5;
    int sizeKB = 4096000;
    QString keep;
    QString folder;
    bool cold = false;
    bool subfolders = false;
    QSize windowSize;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        const bool more = i + 1 < args.size();
        if (args[i] == QLatin1String("--cold")) {
            cold = true;
        } else if (args[i] == QLatin1String("--subfolders")) {
            subfolders = true;
        } else if (args[i] == QLatin1String("--window") && i + 2 < args.size()) {
            windowSize = QSize(args[i + 1].toInt(), args[i + 2].toInt());
            i += 2;
        } else if (more && args[i] == QLatin1String("--count")) {
            count = args[++i].toInt();
        } else if (more && args[i] == QLatin1String("--runs")) {
            runs = args[++i].toInt();
        } else if (more && args[i] == QLatin1String("--size-kb")) {
            sizeKB = args[++i].toInt();
        } else if (more && args[i] == QLatin1String("--keep")) {
            keep = args[++i];
        } else if (more && args[i] == QLatin1String("--folder")) {
            folder = QDir(args[++i]).absolutePath();
        }
    }

    QTemporaryDir scratch;
    const QString root = keep.isEmpty() ? scratch.path() : keep;
    const QString program = root + QStringLiteral("/program/");
    const QString photos = folder.isEmpty() ? root + QStringLiteral("/photos") : folder;
    const QString empty = root + QStringLiteral("/empty");
    const QString cacheDir = program + QStringLiteral("Temp");
    const bool filledBefore =
        cold || (!keep.isEmpty() && QFile::exists(root + QStringLiteral("/filled")));
    QDir().mkpath(program);
    QDir().mkpath(photos);
    QDir().mkpath(empty);
    if (folder.isEmpty() && !filledBefore) {
        const QByteArray jpeg = MakePhoto();
        for (int i = 0; i < count; ++i) {
            const QString folder =
                subfolders ? photos + QStringLiteral("/day%1").arg(i % 10) : photos;
            QDir().mkpath(folder);
            QFile file(
                QStringLiteral("%1/photo_%2.jpg").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
            file.open(QIODevice::WriteOnly);
            file.write(jpeg);
        }
    }
    if (!folder.isEmpty()) {
        count = subfolders ? int(WalkFolderTree(folder, BrowsedExtensions()).Files.size())
                           : int(QDir(folder).entryList(QDir::Files).size());
    }

    // By default room for every thumbnail (1000 photos fill about 590 MB at 512 x 384 x 3
    // bytes), so that the measured loads are all cache hits.
    {
        QFile ini(program + QStringLiteral("Thumbnail.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[APP]\r\nAPPName=ミルテ\r\n[Cache]\r\nDirectory=" + cacheDir.toUtf8() +
                  "\r\nSize=" + QByteArray::number(sizeKB) +
                  "\r\n[Window]\r\nSubfolders=" + (subfolders ? "1" : "0") + "\r\n");
        QDir().mkpath(cacheDir);
    }

    TWindowOptions options;
    options.Paths.ExeDir = program;
    options.Paths.ExeName = program + QStringLiteral("mirte");
    options.Paths.IniFileName = program + QStringLiteral("Thumbnail.ini");
    options.Paths.DefaultCacheDir = cacheDir;
    options.StartPath = empty;
    const auto show = [&](TfrmThumbnail& window) {
        if (windowSize.isValid()) {
            window.resize(windowSize);
        }
        window.show();
    };

    // Fill the cache once: a first window loads the folder and saves the table as it closes.
    if (!filledBefore) {
        QElapsedTimer fill;
        fill.start();
        TfrmThumbnail window(options);
        show(window);
        bool filled = false; // the start's own load of its empty folder ends too: not that one
        QObject::connect(&window, &TfrmThumbnail::LoadProgressShown, &window, [&](int percent) {
            filled = filled || (percent >= 100 && window.ThumbList().Count() == count);
        });
        window.ShowFolder(photos);
        WaitUntil([&] { return filled; }, 3600000);
        std::printf("filling the cache: %d photos in %.2f s\n", count, fill.elapsed() / 1000.0);
        QFile(root + QStringLiteral("/filled")).open(QIODevice::WriteOnly);
    }

    std::vector<double> toFirstScreen;
    std::vector<double> toEveryCell;
    std::vector<double> toFinished;
    for (int run = 0; run < runs; ++run) {
        if (cold && run == 0) {
            QDir(cacheDir).removeRecursively();
            QDir().mkpath(cacheDir);
        }
        TfrmThumbnail window(options); // a new start: the table is read from disk
        show(window);
        WaitUntil([&] { return window.LoadFinished(); }, 10000);
        double firstScreen = -1;
        double everyCell = -1;
        double finished = -1;
        int nextToShow = 0; // cells keep what they show: every cell before it shows something
        const TThumbListView& grid = window.ThumbList();
        QElapsedTimer timer;
        const auto look = [&] {
            if (grid.Count() != count) {
                return;
            }
            if (firstScreen < 0 && FirstScreenfulShown(grid)) {
                firstScreen = timer.nsecsElapsed() / 1e9;
            }
            while (grid.ShowItems() && nextToShow < count && Shows(grid, nextToShow)) {
                ++nextToShow;
            }
            if (everyCell < 0 && nextToShow == count) {
                everyCell = timer.nsecsElapsed() / 1e9;
            }
        };
        QObject::connect(&window, &TfrmThumbnail::LoadProgressShown, &window, [&](int percent) {
            look();
            if (finished < 0 && percent >= 100 && grid.Count() == count) {
                finished = timer.nsecsElapsed() / 1e9;
            }
        });
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, &window, look);
        watch.start(1);
        timer.start();
        window.ShowFolder(photos);
        if (!WaitUntil([&] { return finished >= 0 && everyCell >= 0; }, 3600000)) {
            std::printf("run %d: no end of the load\n", run);
            return 1;
        }
        toFirstScreen.push_back(firstScreen);
        toEveryCell.push_back(everyCell);
        toFinished.push_back(finished);
        std::printf(
            "run %d (%s): first screenful %.3f s, every cell %.3f s, %s %.3f s (%d of %d cells "
            "in view)\n",
            run, cold && run == 0 ? "new" : "seen before", firstScreen, everyCell,
            qUtf8Printable(window.LoadStateText()), finished,
            std::min(grid.LastVisibleIndex(), count - 1) - grid.FirstVisibleIndex() + 1, count);
    }
    if (cold) { // the figures of the folder seen before
        toFirstScreen.erase(toFirstScreen.begin());
        toEveryCell.erase(toEveryCell.begin());
        toFinished.erase(toFinished.begin());
    }
    if (!toFinished.empty()) {
        std::printf("median of %d runs, %d cached photos: first screenful %.3f s, every cell "
                    "%.3f s, 読込完了 %.3f s\n",
                    int(toFinished.size()), count, Median(toFirstScreen), Median(toEveryCell),
                    Median(toFinished));
    }
    return 0;
}
