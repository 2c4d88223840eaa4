#include "cache_size.h"

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

} // namespace mirte
