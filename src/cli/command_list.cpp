#include "cache/item_facts.h"
#include "cache/sort_keys.h"
#include "commands.h"
#include "picture/picture_format.h"
#include "util/dir_list.h"
#include "util/file_facts.h"
#include "util/folder_walk.h"
#include "util/list_files.h"
#include "util/paths.h"
#include "util/volume_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

namespace mirte::cli {

namespace {

QString DefaultFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(pictures).exists() ? pictures : QDir::homePath();
}

// The files (paths relative to the folder) in the window's name order: a tree's folders one
// after another, the folder's own files first.
QStringList InNameOrder(const QString& folder, const QStringList& names) {
    std::vector<std::pair<TSortKey, QString>> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (const QString& name : names) {
        TItemFacts facts = NamedFacts(JoinPath(folder, name));
        facts.Folder = RelativeFolder(folder, facts.FullPath);
        keyed.emplace_back(MakeSortKey(facts, soName), name);
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return KeyAfter(b.first, a.first, soName); });
    QStringList sorted;
    for (const auto& [key, name] : keyed) {
        sorted.append(name);
    }
    return sorted;
}

// The tree's files as paths relative to the folder; what the walk left out is told on err.
QStringList TreeFiles(const QString& folder, std::FILE* err, int& status) {
    const TFolderWalk walk = WalkFolderTree(folder, BrowsedExtensions());
    for (const TWalkSkip& skip : walk.Skipped) {
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(skip.Path), qUtf8Printable(skip.Reason));
        status = 1;
    }
    QStringList names;
    names.reserve(walk.Files.size());
    // Every path is the folder joined with the file's path below it.
    const qsizetype prefix = JoinPath(folder, QStringLiteral("x")).size() - 1;
    for (const QString& path : walk.Files) {
        names.append(path.mid(prefix));
    }
    return names;
}

} // namespace

// list [--recursive] [FOLDER]: the folder's picture and movie files (with --recursive those of
// every folder below it too, as paths relative to it) in name order with their facts, one
// tab-separated line each: name, last-write time, size in bytes, volume label, volume identity.
int RunList(QStringList args, std::FILE* out, std::FILE* err) {
    const bool recursive = args.removeAll(QStringLiteral("--recursive")) > 0;
    if (args.size() > 1 || (!args.isEmpty() && args.first().startsWith(QLatin1String("--")))) {
        std::fputs(qUtf8Printable(QCoreApplication::translate(
                       "CliMessages", "使い方: mirte-cli list [--recursive] [フォルダ]\n")),
                   err);
        return 2;
    }
    const QString folder = args.isEmpty() ? DefaultFolder() : args.first();
    // A folder that cannot be read is not taken for an empty one.
    if (const int error = FolderOpenError(folder); error != 0) {
        std::fprintf(err, "%s\t%s\n", qUtf8Printable(folder),
                     qUtf8Printable(FolderErrorText(error)));
        return 1;
    }
    int status = 0;
    const QStringList files =
        recursive ? TreeFiles(folder, err, status) : ListFiles(folder, BrowsedExtensions());
    for (const QString& name : InNameOrder(folder, files)) {
        const QString path = JoinPath(folder, name);
        QString time;
        qint64 size = 0;
        if (!GetFileTimeSize(path, time, size)) {
            std::fprintf(err, "%s\t%s\n", qUtf8Printable(path),
                         qUtf8Printable(QCoreApplication::translate("CliMessages",
                                                                    "ファイルが見つかりません。")));
            status = 1;
            continue;
        }
        QString label;
        QString serial;
        GetVolumeInfo(path, label, serial);
        std::fprintf(out, "%s\t%s\t%lld\t%s\t%s\n", qUtf8Printable(name), qUtf8Printable(time),
                     static_cast<long long>(size), qUtf8Printable(label), qUtf8Printable(serial));
    }
    return status;
}

} // namespace mirte::cli
