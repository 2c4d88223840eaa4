#pragma once

#include <QString>
#include <QtGlobal>

namespace mirte {

// The default size limit of the thumbnail cache in megabytes, from the free space of the file
// system that holds the path (or would hold it, for a folder not made yet): a quarter of it
// below 1000 MB, else 250; 0 when it cannot be read.
int DefaultCacheSizeMB(const QString& path);

// The same rule for a number of free bytes (-1 when unknown).
int CacheSizeMBForFreeBytes(qint64 freeBytes);

} // namespace mirte
