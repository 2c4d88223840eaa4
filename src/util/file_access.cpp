#include "file_access.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

namespace mirte {

mode_t NewFileMode(TFileAccess access) {
    return access == TFileAccess::Private ? 0600 : 0666;
}

bool MakeFolderPath(const QString& path, TFileAccess access) {
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (access == TFileAccess::Shared) {
        return QDir().mkpath(absolute);
    }
    // Each missing folder from the top down, so that none of them is ever open to others.
    for (qsizetype slash = absolute.indexOf(QLatin1Char('/'), 1);;
         slash = absolute.indexOf(QLatin1Char('/'), slash + 1)) {
        const QString folder = slash < 0 ? absolute : absolute.left(slash);
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash < 0) {
            break;
        }
    }
    return QFileInfo(absolute).isDir();
}

} // namespace mirte
