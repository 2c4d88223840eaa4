// A folder seen before must fill from the cache: the sweep of Facts and Thumbnail
// over 1,000 cached 512-box thumbnails, beside just reading those 1,000 BMP files; and loading
// and saving a management file of 20,000 records, also merged with what another program wrote.

#include "cache/thumbnail_db.h"
#include "picture/stored_thumbnail.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// MIRTE_BENCH_PICTURES makes the folder smaller, for a run under a profiler.
const int PictureCount = qEnvironmentVariableIsSet("MIRTE_BENCH_PICTURES")
                             ? qEnvironmentVariableIntValue("MIRTE_BENCH_PICTURES")
                             : 1000;

struct Folder {
    QTemporaryDir pictures;
    QTemporaryDir cache;
    QStringList paths;
    QStringList bitmaps;
};

// 1,000 small JPEGs, each already in the cache (a 512-box thumbnail of a 640 x 480 picture).
Folder& CachedFolder() {
    static Folder folder;
    static const bool made = [] {
        QImage image(640, 480, QImage::Format_RGB32);
        for (int i = 0; i < PictureCount; ++i) {
            image.fill(qRgb(i % 256, (i * 7) % 256, 128));
            const QString path = folder.pictures.filePath(
                QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
            QImageWriter(path, "jpg").write(image);
            folder.paths.append(path);
        }
        mirte::TThumbnailDB db;
        db.SetCacheDirectory(folder.cache.path());
        db.SetMaxCacheSize(qint64(4) * 1024 * 1024);
        for (const QString& path : folder.paths) {
            db.Thumbnail(path);
        }
        db.ForEachRecord(
            [&](const mirte::TThImage& record) { folder.bitmaps.append(record.BitmapFileName()); });
        return true;
    }();
    (void)made;
    return folder;
}

void ReadTheBitmapFiles(benchmark::State& state) {
    Folder& folder = CachedFolder();
    for (auto _ : state) {
        qint64 bytes = 0;
        for (const QString& path : folder.bitmaps) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            bytes += file.readAll().size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReadTheBitmapFiles)->Unit(benchmark::kMillisecond);

// For scale: the same files loaded as pictures by Qt's own BMP reader.
void LoadTheBitmapsWithQt(benchmark::State& state) {
    Folder& folder = CachedFolder();
    for (auto _ : state) {
        for (const QString& path : folder.bitmaps) {
            benchmark::DoNotOptimize(QImage(path).width());
        }
    }
}
BENCHMARK(LoadTheBitmapsWithQt)->Unit(benchmark::kMillisecond);

void SweepACachedFolder(benchmark::State& state) {
    Folder& folder = CachedFolder();
    mirte::TThumbnailDB db;
    db.SetCacheDirectory(folder.cache.path());
    db.SetMaxCacheSize(qint64(4) * 1024 * 1024);
    int hits = 0;
    for (auto _ : state) {
        for (const QString& path : folder.paths) {
            db.Facts(path); // first pass: the facts
        }
        for (const QString& path : folder.paths) {
            hits += db.Thumbnail(path).FromCache; // second pass: the thumbnails
        }
    }
    state.counters["hits"] = double(hits) / double(state.iterations());
    state.counters["decodes"] = db.RenderCount();
}
BENCHMARK(SweepACachedFolder)->Unit(benchmark::kMillisecond);

// The two passes apart, to see which one costs what.
void FactsPassOnly(benchmark::State& state) {
    Folder& folder = CachedFolder();
    mirte::TThumbnailDB db;
    db.SetCacheDirectory(folder.cache.path());
    for (auto _ : state) {
        for (const QString& path : folder.paths) {
            db.Facts(path);
        }
    }
}
BENCHMARK(FactsPassOnly)->Unit(benchmark::kMillisecond);

// Reading the stored thumbnails alone: whole (the box 0) and for a grid box of 128.
void LoadTheBitmapsOnly(benchmark::State& state) {
    Folder& folder = CachedFolder();
    const int box = int(state.range(0));
    QImage image;
    for (auto _ : state) {
        for (const QString& path : folder.bitmaps) {
            mirte::ReadStoredThumbnail(path, QSize(box, box), image);
            benchmark::DoNotOptimize(image.width());
        }
    }
}
BENCHMARK(LoadTheBitmapsOnly)->Arg(0)->Arg(128)->Unit(benchmark::kMillisecond);

// A cache of 20,000 records (with tiny bitmap files, as loading checks that each is there).
struct BigTable {
    QTemporaryDir cache;
    std::unique_ptr<mirte::TThTable> table;
};

BigTable& TwentyThousand() {
    static BigTable big;
    static const bool made = [] {
        big.table = std::make_unique<mirte::TThTable>();
        big.table->SetCacheDir(big.cache.path());
        big.table->SetMaxSize(qint64(4) * 1024 * 1024);
        mirte::TThImageBase& images = big.table->Images();
        for (int i = 0; i < 20000; ++i) {
            mirte::TThImage record;
            record.LastAccess = QStringLiteral("2004/01/01 10:00:00");
            record.OrgFileName =
                QStringLiteral("/home/someone/Pictures/2004 旅行/IMG_%1.JPG").arg(i);
            record.SaveID = i;
            record.ReqWidth = record.ReqHeight = 512;
            record.Org.Width = 4000;
            record.Org.Height = 3000;
            record.Org.CreateTime = QStringLiteral("2004/01/01 09:00:00");
            record.Org.FileTime = QStringLiteral("2004/01/01 09:00:01");
            record.Org.FileSize = 3456789;
            record.Org.VolSer = QStringLiteral("1A2B-3C4D");
            record.ThFileTime = QStringLiteral("2004/01/01 10:00:00");
            record.ThFileSize = 60;
            const QString bitmap = images.CacheFileName.BitmapFileName(i);
            QDir().mkpath(QFileInfo(bitmap).path());
            QFile file(bitmap);
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray(60, 'b'));
            file.close(); // on disk before loading checks its size
            images.LoadImage(record.ToStr());
        }
        images.Modified = true;
        big.table->SaveTable();
        return true;
    }();
    (void)made;
    return big;
}

void SaveTable20000(benchmark::State& state) {
    BigTable& big = TwentyThousand();
    for (auto _ : state) {
        big.table->Images().Modified = true;
        big.table->SaveTable();
    }
    state.counters["records"] = big.table->Images().Count();
}
BENCHMARK(SaveTable20000)->Unit(benchmark::kMillisecond);

// The step that holds the folder's lock when another program wrote the management file since
// this one read it: the file read again, merged with this table's records and written.
void MergeAndSaveTable20000(benchmark::State& state) {
    BigTable& big = TwentyThousand();
    mirte::TThTable other;
    other.SetCacheDir(big.cache.path());
    other.SetMaxSize(qint64(4) * 1024 * 1024);
    for (auto _ : state) {
        state.PauseTiming();
        other.Images().Modified = true;
        other.SaveTable(); // the file changes under this table
        big.table->Images().Modified = true;
        state.ResumeTiming();
        big.table->SaveTable();
    }
    state.counters["records"] = big.table->Images().Count();
}
BENCHMARK(MergeAndSaveTable20000)->Unit(benchmark::kMillisecond);

void LoadTable20000(benchmark::State& state) {
    BigTable& big = TwentyThousand();
    for (auto _ : state) {
        mirte::TThTable table;
        table.SetCacheDir(big.cache.path());
        benchmark::DoNotOptimize(table.Images().Count());
        state.counters["records"] = table.Images().Count();
    }
}
BENCHMARK(LoadTable20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
