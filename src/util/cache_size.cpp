#include "cache_size.h"

#include "ini_file.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace mirte {

int CacheSizeMBForFreeBytes(qint64 freeBytes) {
    const qint64 megabytes = freeBytes / 1024 / 1024;
    if (megabytes < 1000) {
        return static_cast<int>(megabytes / 4);
    }
    return 250;
}

int DefaultCacheSizeMB(const QString& path) {
    if (path.isEmpty()) {
        return 0;
    }
    // A folder that does not exist yet will live on the file system of its nearest ancestor.
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing) {
        existing = QFileInfo(existing).path();
    }
    const QStorageInfo storage(existing);
    const qint64 freeBytes = storage.isValid() ? storage.bytesAvailable() : -1;
    return CacheSizeMBForFreeBytes(freeBytes);
}

qint64 ReadCacheSizeKB(const IniFile& ini, const QString& cacheDir) {
    const int sizeKB =
        ini.ReadInteger(QString::fromUtf8(kCacheSection), QString::fromUtf8(kCacheSizeKey), -1);
    // -1 means "computed"; any other negative value is a damaged file and means the same.
    if (sizeKB < 0) {
        return qint64(DefaultCacheSizeMB(cacheDir)) * 1024;
    }
    return sizeKB;
}

} // namespace mirte
