// The main window on a cached folder of photos, offscreen: the time from choosing the folder to
// " 読込完了", and to the first screenful of thumbnails.
//   bench_window [--count N] [--runs R] [--size-kb KB] [--keep DIR]
// --keep DIR keeps the photos and the filled cache in DIR, and takes them from there next time
// (the same count and limit), so that a profile sees the measured loads only.
// The cache's limit is 4,096,000 KB unless given (-1: the program's default from free space,
// which may hold fewer thumbnails than the folder has: then the loads are not all cache hits).
#include "browse/thumb_list_view.h"
#include "report/font_substitutes.h"
#include "shell/frm_thumbnail.h"

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

bool FirstScreenfulLoaded(const TThumbListView& grid) {
    if (grid.Count() == 0 || !grid.ShowItems()) {
        return false;
    }
    const int last = std::min(grid.LastVisibleIndex(), grid.Count() - 1);
    for (int i = grid.FirstVisibleIndex(); i <= last; ++i) {
        if (!grid.ItemFacts(i).Loaded) {
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
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--count")) {
            count = args[i + 1].toInt();
        } else if (args[i] == QLatin1String("--runs")) {
            runs = args[i + 1].toInt();
        } else if (args[i] == QLatin1String("--size-kb")) {
            sizeKB = args[i + 1].toInt();
        } else if (args[i] == QLatin1String("--keep")) {
            keep = args[i + 1];
        }
    }

    QTemporaryDir scratch;
    const QString root = keep.isEmpty() ? scratch.path() : keep;
    const QString program = root + QStringLiteral("/program/");
    const QString photos = root + QStringLiteral("/photos");
    const QString empty = root + QStringLiteral("/empty");
    const bool filledBefore = !keep.isEmpty() && QFile::exists(root + QStringLiteral("/filled"));
    QDir().mkpath(program);
    QDir().mkpath(photos);
    QDir().mkpath(empty);
    const QByteArray jpeg = MakePhoto();
    for (int i = 0; i < count && !filledBefore; ++i) {
        QFile file(QStringLiteral("%1/photo_%2.jpg").arg(photos).arg(i, 4, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
        file.write(jpeg);
    }

    // By default room for every thumbnail (1000 photos fill about 590 MB at 512 x 384 x 3
    // bytes), so that the measured loads are all cache hits.
    {
        QFile ini(program + QStringLiteral("Thumbnail.ini"));
        ini.open(QIODevice::WriteOnly);
        ini.write("[APP]\r\nAPPName=ミルテ\r\n[Cache]\r\nDirectory=" +
                  (program + QStringLiteral("Temp")).toUtf8() +
                  "\r\nSize=" + QByteArray::number(sizeKB) + "\r\n");
        QDir().mkpath(program + QStringLiteral("Temp"));
    }

    TWindowOptions options;
    options.Paths.ExeDir = program;
    options.Paths.ExeName = program + QStringLiteral("mirte");
    options.Paths.IniFileName = program + QStringLiteral("Thumbnail.ini");
    options.Paths.DefaultCacheDir = program + QStringLiteral("Temp");
    options.StartPath = empty;

    // Fill the cache once: a first window loads the folder and saves the table as it closes.
    if (!filledBefore) {
        QElapsedTimer fill;
        fill.start();
        TfrmThumbnail window(options);
        window.show();
        bool filled = false; // the start's own load of its empty folder ends too: not that one
        QObject::connect(&window, &TfrmThumbnail::LoadProgressShown, &window, [&](int percent) {
            filled = filled || (percent >= 100 && window.ThumbList().Count() == count);
        });
        window.ShowFolder(photos);
        WaitUntil([&] { return filled; }, 600000);
        std::printf("filling the cache: %d photos in %.2f s\n", count, fill.elapsed() / 1000.0);
        QFile(root + QStringLiteral("/filled")).open(QIODevice::WriteOnly);
    }

    std::vector<double> toFirstScreen;
    std::vector<double> toFinished;
    for (int run = 0; run < runs; ++run) {
        TfrmThumbnail window(options); // a new start: the table is read from disk
        window.show();
        WaitUntil([&] { return window.LoadFinished(); }, 10000);
        double firstScreen = -1;
        double finished = -1;
        QElapsedTimer timer;
        QObject::connect(&window, &TfrmThumbnail::LoadProgressShown, &window, [&](int percent) {
            if (window.ThumbList().Count() != count) {
                return;
            }
            if (firstScreen < 0 && FirstScreenfulLoaded(window.ThumbList())) {
                firstScreen = timer.nsecsElapsed() / 1e9;
            }
            if (finished < 0 && percent >= 100) {
                finished = timer.nsecsElapsed() / 1e9;
            }
        });
        timer.start();
        window.ShowFolder(photos);
        if (!WaitUntil([&] { return finished >= 0; }, 60000)) {
            std::printf("run %d: no end of the load\n", run);
            return 1;
        }
        toFinished.push_back(finished);
        toFirstScreen.push_back(firstScreen);
        std::printf("run %d: first screenful %.3f s, %s %.3f s (%d of %d cells in view)\n", run,
                    firstScreen, qUtf8Printable(window.LoadStateText()), toFinished.back(),
                    window.ThumbList().LastVisibleIndex() + 1, window.ThumbList().Count());
    }
    std::printf("median of %d runs, %d cached photos: first screenful %.3f s, 読込完了 %.3f s\n",
                runs, count, Median(toFirstScreen), Median(toFinished));
    return 0;
}
