#include "cache_file_name.h"

#include "util/dir_list.h"
#include "util/errors.h"
#include "util/paths.h"

#include <cstdio>

namespace mirte {

QString TThCacheFileName::DataDir() const {
    if (CacheDir.isEmpty()) {
        throw ECacheError(tr("キャッシュディレクトリが未設定です"));
    }
    return JoinPath(CacheDir, DataDirName());
}

QString TThCacheFileName::TableFileName() const {
    return JoinPath(DataDir(), QStringLiteral("_TDBCache.dat"));
}

QString TThCacheFileName::LockFileName() const {
    return DataDir() + QStringLiteral(".lock");
}

QString TThCacheFileName::BitmapName(int id) {
    char name[16];
    const int n = std::snprintf(name, sizeof name, "A%.7d", id);
    return QString::fromLatin1(name, n);
}

QString TThCacheFileName::BitmapFileName(int id) const {
    // Asked for every record loaded and every request served: one formatting, one allocation.
    char relative[32];
    const int n = std::snprintf(relative, sizeof relative, "A%.5d/A%.7d.jpg", id / 100, id);
    return JoinPath(DataDir(), QString::fromLatin1(relative, n));
}

QString TThCacheFileName::FindOldDataDir() const {
    if (CacheDir.isEmpty()) {
        return {};
    }
    TDirList list(CacheDir);
    while (list.Next()) {
        if (!list.IsDir() && !list.IsLink()) {
            continue;
        }
        const QString name = list.Name();
        if (!name.startsWith(OldDirPrefix(), Qt::CaseInsensitive)) {
            continue;
        }
        const QString number = name.mid(4, 4);
        if (number >= QLatin1String("0000") && number < Version) {
            return list.FullName();
        }
    }
    return {};
}

} // namespace mirte
