#include "cache/item_facts.h"
#include "cache/sort_keys.h"
#include "commands.h"
#include "picture/picture_format.h"
#include "util/dir_list.h"
#include "util/file_facts.h"
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

// The names in the window's name order.
QStringList InNameOrder(const QString& folder, const QStringList& names) {
    std::vector<std::pair<TSortKey, QString>> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (const QString& name : names) {
        keyed.emplace_back(MakeSortKey(NamedFacts(JoinPath(folder, name)), soName), name);
    }
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return KeyAfter(b.first, a.first, soName); });
    QStringList sorted;
    for (const auto& [key, name] : keyed) {
        sorted.append(name);
    }
    return sorted;
}

} // namespace

// list [FOLDER]: the folder's picture and movie files in name order with their facts, one
// tab-separated line each: name, last-write time, size in bytes, volume label, volume identity.
int RunList(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() > 1) {
        std::fputs(qUtf8Printable(QCoreApplication::translate(
                       "CliMessages", "使い方: mirte-cli list [フォルダ]\n")),
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
    for (const QString& name : InNameOrder(folder, ListFiles(folder, BrowsedExtensions()))) {
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
