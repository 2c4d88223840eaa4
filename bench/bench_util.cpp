// The file-system side of showing a folder of thousands of photos: listing it, and reading
// each file's time, size and volume. The raw system calls run beside them as the floor.

#include "util/file_facts.h"
#include "util/list_files.h"
#include "util/paths.h"
#include "util/volume_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <sys/stat.h>

namespace {

constexpr int FileCount = 5000;

// One folder of FileCount small files in the browsed formats, made once.
const QString& PhotoFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        const char* exts[] = {"jpg", "JPG", "png", "tif", "bmp"};
        for (int i = 0; i < FileCount; ++i) {
            QFile file(dir.filePath(
                QStringLiteral("IMG_%1.%2").arg(i, 5, 10, QLatin1Char('0')).arg(exts[i % 5])));
            file.open(QIODevice::WriteOnly);
            file.write("x");
        }
        return true;
    }();
    (void)made;
    static const QString path = dir.path();
    return path;
}

const QStringList Extensions = QStringLiteral("bmp,jpg,jpeg,tif,tiff,png,avi").split(',');

void ListFilesOfFolder(benchmark::State& state) {
    PhotoFolder(); // made before the clock runs
    for (auto _ : state) {
        benchmark::DoNotOptimize(mirte::ListFiles(PhotoFolder(), Extensions));
    }
    state.SetItemsProcessed(state.iterations() * FileCount);
}
BENCHMARK(ListFilesOfFolder)->Unit(benchmark::kMillisecond);

void RawReaddirAndStat(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(PhotoFolder());
    for (auto _ : state) {
        DIR* dir = ::opendir(path.constData());
        int count = 0;
        while (const dirent* entry = ::readdir(dir)) {
            struct stat st {};
            count += ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0;
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * FileCount);
}
BENCHMARK(RawReaddirAndStat)->Unit(benchmark::kMillisecond);

void FileTimeSizeAndVolumeOfEachFile(benchmark::State& state) {
    const QStringList names = mirte::ListFiles(PhotoFolder(), Extensions);
    for (auto _ : state) {
        for (const QString& name : names) {
            const QString path = mirte::JoinPath(PhotoFolder(), name);
            QString time, label, serial;
            qint64 size = 0;
            mirte::GetFileTimeSize(path, time, size);
            mirte::GetVolumeInfo(path, label, serial);
            benchmark::DoNotOptimize(serial);
        }
    }
    state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(FileTimeSizeAndVolumeOfEachFile)->Unit(benchmark::kMillisecond);

void RawStatOfEachFile(benchmark::State& state) {
    const QStringList names = mirte::ListFiles(PhotoFolder(), Extensions);
    for (auto _ : state) {
        for (const QString& name : names) {
            struct stat st {};
            benchmark::DoNotOptimize(
                ::stat(QFile::encodeName(mirte::JoinPath(PhotoFolder(), name)).constData(), &st));
        }
    }
    state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(RawStatOfEachFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
