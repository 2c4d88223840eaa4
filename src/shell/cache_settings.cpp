#include "cache_settings.h"

#include "util/file_access.h"
#include "util/file_system_kind.h"
#include "util/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace mirte {

QString ReadCacheDirectory(IniFile& ini, const QString& defaultCacheDir) {
    QString dir = ini.ReadString(QString::fromUtf8(kCacheSection),
                                 QString::fromUtf8(kCacheDirectoryKey), defaultCacheDir);
    if (!dir.isEmpty() && QFileInfo(dir).isDir() && IsOnOrdinaryFileSystem(dir)) {
        return dir;
    }
    if (!ini.IsReadOnly()) {
        try {
            ini.WriteString(QString::fromUtf8(kCacheSection), QString::fromUtf8(kCacheDirectoryKey),
                            defaultCacheDir);
        } catch (const EIniFileError&) {
            // Not stored: the fallback is made again at the next start.
        }
    }
    // The per-user default may lack its parents too.
    MakeFolderPath(defaultCacheDir, TFileAccess::Private);
    return defaultCacheDir;
}

} // namespace mirte
