// How the cache's thumbnails fare stored as JPEG (bench/cache_store.sh):
//   bench_store PICTURE|FOLDER...
// For each picture the 512-box thumbnail is made cold (a fresh renderer), then stored at several
// qualities with and without chroma subsampling. Per setting: the stored size against the
// 24-bit BMP the cache wrote before, PSNR against the uncompressed thumbnail, and the write's
// time as a share of the cold thumbnail's; storing a thumbnail as the cache does, as BMP and as
// JPEG. Last, reading the stored thumbnails (the program's
// setting) whole and for a grid box of 128. (Reading the BMP store: bench_window of the old
// revision, in the same script.)
#include "cache/th_render.h"
#include "picture/dib_graphic.h"
#include "picture/stored_thumbnail.h"
#include "picture_fixtures.h"
#include "util/replace_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace mirte;

namespace {

struct Setting {
    Setting(int q, bool full) : quality(q), fullChroma(full) {}
    int quality;
    bool fullChroma;
    double bytes = 0;
    double ratioSum = 0;
    double psnrSum = 0;
    double psnrMin = 99;
    int below40 = 0;
    QString worst;
    double encodeSeconds = 0;
};

QStringList PicturesOf(const QStringList& args) {
    QStringList files;
    for (const QString& arg : args) {
        if (QFileInfo(arg).isDir()) {
            for (const QFileInfo& info : QDir(arg).entryInfoList(QDir::Files, QDir::Name)) {
                files << info.filePath();
            }
        } else {
            files << arg;
        }
    }
    return files;
}

template <class F> double SecondsOf(F&& f) {
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList files = PicturesOf(app.arguments().mid(1));
    std::vector<Setting> settings{{85, false}, {90, false}, {90, true}, {92, true}, {93, true},
                                  {94, true},  {95, false}, {95, true}, {96, true}};
    QTemporaryDir store;
    QStringList jpegs;
    double coldSeconds = 0;
    double bmpBytes = 0;
    double storeBmpSeconds = 0; // encoding and writing the file, as the cache does
    double storeJpegSeconds = 0;
    int count = 0;
    for (const QString& path : files) {
        QImage thumbnail;
        const double cold =
            SecondsOf([&] { thumbnail = RenderPicture(path, QSize(512, 512), false).Thumbnail; });
        if (thumbnail.isNull()) {
            continue;
        }
        ++count;
        coldSeconds += cold;
        const double bmp = 54.0 + ((thumbnail.width() * 3 + 3) & ~3) * double(thumbnail.height());
        bmpBytes += bmp;
        for (Setting& s : settings) {
            QByteArray bytes;
            s.encodeSeconds += SecondsOf(
                [&] { bytes = EncodeStoredThumbnail(thumbnail, s.quality, s.fullChroma); });
            const QString file = store.filePath(QStringLiteral("t.jpg"));
            QFile out(file);
            out.open(QIODevice::WriteOnly);
            out.write(bytes);
            out.close();
            QImage read;
            ReadStoredThumbnail(file, QSize(), read);
            const double psnr = test::Psnr(thumbnail, read);
            s.bytes += double(bytes.size());
            s.ratioSum += bmp / double(bytes.size());
            s.psnrSum += psnr;
            if (psnr < s.psnrMin) {
                s.psnrMin = psnr;
                s.worst = QFileInfo(path).fileName();
            }
            s.below40 += psnr < 40.0;
        }
        const QString name = store.filePath(QStringLiteral("%1").arg(count));
        storeBmpSeconds += SecondsOf([&] {
            TDibGraphic dib;
            dib.Assign(thumbnail);
            ReplaceFile(name + QStringLiteral(".bmp"), dib.SaveToBytes(), false);
        });
        storeJpegSeconds += SecondsOf([&] {
            ReplaceFile(name + QStringLiteral(".jpg"), EncodeStoredThumbnail(thumbnail), false);
        });
        jpegs << name + QStringLiteral(".jpg");
    }
    if (count == 0) {
        std::printf("no picture read\n");
        return 1;
    }
    std::printf("%d pictures; cold 512-box thumbnail %.1f ms each; BMP %.1f KB each\n", count,
                coldSeconds * 1000 / count, bmpBytes / 1024 / count);
    std::printf("quality chroma  KB each  BMP/JPEG (mean, of totals)  PSNR mean  PSNR min  "
                "write ms  write/cold  under 40 dB (worst)\n");
    for (const Setting& s : settings) {
        std::printf("%7d %6s %8.1f %10.1f %10.1f %15.2f %9.2f %9.2f %9.1f %% %6d (%s)\n", s.quality,
                    s.fullChroma ? "4:4:4" : "4:2:0", s.bytes / 1024 / count, s.ratioSum / count,
                    bmpBytes / s.bytes, s.psnrSum / count, s.psnrMin,
                    s.encodeSeconds * 1000 / count, 100 * s.encodeSeconds / coldSeconds, s.below40,
                    qUtf8Printable(s.worst));
    }
    std::printf("storing one thumbnail (encoding and writing the file): as BMP %.2f ms, as "
                "JPEG %.2f ms, that is %+.1f %% of the cold thumbnail\n",
                storeBmpSeconds * 1000 / count, storeJpegSeconds * 1000 / count,
                100 * (storeJpegSeconds - storeBmpSeconds) / coldSeconds);
    // Reading back, three rounds each, the best kept (the files are in the page cache).
    auto best = [&](auto&& read) {
        double fastest = 1e9;
        for (int round = 0; round < 3; ++round) {
            fastest = std::min(fastest, SecondsOf(read));
        }
        return fastest * 1000 / count;
    };
    QImage image;
    const double whole = best([&] {
        for (const QString& f : jpegs) {
            ReadStoredThumbnail(f, QSize(), image);
        }
    });
    const double quarter = best([&] {
        for (const QString& f : jpegs) {
            ReadStoredThumbnail(f, QSize(128, 128), image);
        }
    });
    std::printf("reading one stored thumbnail: whole %.3f ms, for a box of 128 %.3f ms\n", whole,
                quarter);
    return 0;
}
