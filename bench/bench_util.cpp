// The file-system side of showing a folder of thousands of photos: listing it, and reading
// each file's time, size and volume; and walking a tree of 100,000 photos in 1,000 folders (a
// year's archive with its subfolders shown). The raw system calls run beside them as the floor.

#include "util/file_facts.h"
#include "util/folder_walk.h"
#include "util/list_files.h"
#include "util/paths.h"
#include "util/volume_info.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fts.h>
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

constexpr int TreeFolders = 1000;
constexpr int FilesPerTreeFolder = 100;

// 20 years of 50 folders of 100 valid 1 x 1 JPEGs each (each year's the hard links of one file,
// so that the tree costs folders, not disk; a file may have only so many links), made once.
const QString& PhotoTree() {
    static QTemporaryDir dir;
    static const bool made = [] {
        const QByteArray jpeg = QByteArray::fromBase64(
            "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAMCAgICAgMCAgIDAwMDBAYEBAQEBAgGBgUGCQgKCgkICQkKDA8M"
            "CgsOCwkJDRENDg8QEBEQCgwSExIQEw8QEBD/wAALCAABAAEBAREA/8QAFAABAAAAAAAAAAAAAAAAAAAAA//E"
            "ABQQAQAAAAAAAAAAAAAAAAAAAAD/2gAIAQEAAD8AJ//Z");
        QByteArray source;
        for (int f = 0; f < TreeFolders; ++f) {
            if (f % 50 == 0) {
                const QString one = dir.filePath(QStringLiteral(".one%1.jpg").arg(f));
                QFile file(one);
                file.open(QIODevice::WriteOnly);
                file.write(jpeg);
                source = QFile::encodeName(one);
            }
            const QString folder = dir.filePath(
                QStringLiteral("%1/%2").arg(2000 + f / 50).arg(f % 50, 2, 10, QLatin1Char('0')));
            QDir().mkpath(folder);
            for (int i = 0; i < FilesPerTreeFolder; ++i) {
                const QByteArray name = QFile::encodeName(
                    QStringLiteral("%1/IMG_%2.JPG").arg(folder).arg(i, 4, 10, QLatin1Char('0')));
                ::link(source.constData(), name.constData());
            }
        }
        return true;
    }();
    (void)made;
    static const QString path = dir.path();
    return path;
}

void WalkTreeOf100kPhotos(benchmark::State& state) {
    PhotoTree();
    for (auto _ : state) {
        const mirte::TFolderWalk walk = mirte::WalkFolderTree(PhotoTree(), Extensions);
        if (walk.Files.size() != TreeFolders * FilesPerTreeFolder) {
            state.SkipWithError("the walk missed files");
        }
    }
    state.SetItemsProcessed(state.iterations() * TreeFolders * FilesPerTreeFolder);
}
BENCHMARK(WalkTreeOf100kPhotos)->Unit(benchmark::kMillisecond);

// The floor: fts over the same tree, its files only, no names kept.
void RawFtsWalk(benchmark::State& state) {
    QByteArray root = QFile::encodeName(PhotoTree());
    for (auto _ : state) {
        char* roots[] = {root.data(), nullptr};
        FTS* fts = ::fts_open(roots, FTS_PHYSICAL | FTS_NOCHDIR, nullptr);
        int files = 0;
        while (const FTSENT* entry = ::fts_read(fts)) {
            files += entry->fts_info == FTS_F;
        }
        ::fts_close(fts);
        benchmark::DoNotOptimize(files);
    }
    state.SetItemsProcessed(state.iterations() * TreeFolders * FilesPerTreeFolder);
}
BENCHMARK(RawFtsWalk)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
