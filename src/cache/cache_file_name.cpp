#include "cache_file_name.h"

#include "util/dir_list.h"
#include "util/errors.h"
#include "util/paths.h"

namespace mirte {

QString TThCacheFileName::DataDir() const {
    if (CacheDir.isEmpty()) {
        throw ECacheError(QStringLiteral("キャッシュディレクトリが未設定です"));
    }
    return JoinPath(CacheDir, DataDirName());
}

QString TThCacheFileName::TableFileName() const {
    return JoinPath(DataDir(), QStringLiteral("_TDBCache.dat"));
}

QString TThCacheFileName::BitmapName(int id) {
    return QString::asprintf("A%.7d", id);
}

QString TThCacheFileName::BitmapFileName(int id) const {
    const QString name = BitmapName(id);
    return JoinPath(DataDir(), name.left(6) + QLatin1Char('/') + name + QStringLiteral(".bmp"));
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
