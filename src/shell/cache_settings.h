#pragma once

#include "util/cache_size.h"

#include <QString>

namespace mirte {

class IniFile;

// The cache folder from the settings: key Directory, default defaultCacheDir. A folder that does
// not exist, or that lies on one of the kernel's own file systems (proc, sysfs ...), falls back
// to defaultCacheDir, which is then written to the key (unless the settings file is read-only)
// and made when missing. A failed write is not reported.
QString ReadCacheDirectory(IniFile& ini, const QString& defaultCacheDir);

} // namespace mirte
