#pragma once

#include <QString>
#include <QtGlobal>

namespace mirte {

class IniFile;

// The cache's section of Thumbnail.ini and its keys.
inline constexpr const char* kCacheSection = "Cache";
inline constexpr const char* kCacheDirectoryKey = "Directory";
inline constexpr const char* kCacheSizeKey = "Size"; // kilobytes

// The cache folder from the settings: key Directory, default defaultCacheDir. A folder that does
// not exist falls back to defaultCacheDir, which is then written to the key (unless the settings
// file is read-only) and made when missing (one level). A failed write is not reported.
QString ReadCacheDirectory(IniFile& ini, const QString& defaultCacheDir);

// The size limit in kilobytes from key Size. A missing key, -1, any other negative value or
// text that is not a number means the best size for the cache folder's volume
// (DefaultCacheSizeMB x 1024); the computed value is not written back.
qint64 ReadCacheSizeKB(const IniFile& ini, const QString& cacheDir);

} // namespace mirte
