#include "commands.h"
#include "picture/picture_format.h"
#include "util/file_facts.h"
#include "util/list_files.h"
#include "util/paths.h"
#include "util/volume_info.h"

#include <QDir>
#include <QStandardPaths>

namespace mirte::cli {

namespace {

QString DefaultFolder() {
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(pictures).exists() ? pictures : QDir::homePath();
}

} // namespace

// list [FOLDER]: the folder's picture and movie files with their facts, one tab-separated line
// each: name, last-write time, size in bytes, volume label, volume identity.
int RunList(const QStringList& args, std::FILE* out, std::FILE* err) {
    if (args.size() > 1) {
        std::fputs("usage: mirte-cli list [FOLDER]\n", err);
        return 2;
    }
    const QString folder = args.isEmpty() ? DefaultFolder() : args.first();
    if (!QDir(folder).exists()) {
        std::fprintf(err, "%s\tフォルダが存在しません。\n", qUtf8Printable(folder));
        return 1;
    }
    int status = 0;
    for (const QString& name : ListFiles(folder, BrowsedExtensions())) {
        const QString path = JoinPath(folder, name);
        QString time;
        qint64 size = 0;
        if (!GetFileTimeSize(path, time, size)) {
            std::fprintf(err, "%s\tファイルが見つかりません。\n", qUtf8Printable(path));
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
