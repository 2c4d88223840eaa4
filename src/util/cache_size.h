#pragma once

#include <QString>
#include <QtGlobal>

namespace mirte {

class IniFile;

// The cache's section of Thumbnail.ini and its keys.
inline constexpr const char* kCacheSection = "Cache";
inline constexpr const char* kCacheDirectoryKey = "Directory";
inline constexpr const char* kCacheSizeKey = "Size"; // kilobytes

// The default size limit of the thumbnail cache in megabytes, from the free space of the file
// system that holds the path (or would hold it, for a folder not made yet): a quarter of it
// below 1000 MB, else 250; 0 when it cannot be read.
int DefaultCacheSizeMB(const QString& path);

// The same rule for a number of free bytes (-1 when unknown).
int CacheSizeMBForFreeBytes(qint64 freeBytes);

// The size limit in kilobytes from key Size. A missing key, -1, any other negative value or
// text that is not a number means the best size for the cache folder's volume
// (DefaultCacheSizeMB x 1024); the computed value is not written back.
qint64 ReadCacheSizeKB(const IniFile& ini, const QString& cacheDir);

} // namespace mirte
