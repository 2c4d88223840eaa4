#include "cache_size.h"

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
    const QStorageInfo storage(path);
    const qint64 freeBytes = storage.isValid() ? storage.bytesAvailable() : -1;
    return CacheSizeMBForFreeBytes(freeBytes);
}

} // namespace mirte
