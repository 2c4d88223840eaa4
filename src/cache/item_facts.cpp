#include "item_facts.h"

#include "picture/picture_format.h"
#include "thumbnail_db.h"
#include "util/file_facts.h"
#include "util/paths.h"

#include <QFileInfo>

namespace mirte {

QStringList NamedInfo(const QString& path) {
    QStringList info = EmptyInfo();
    info[ieFileName] = QFileInfo(path).fileName();
    info[ieFullPath] = path;
    return info;
}

bool IsMovieFile(const QString& path) {
    return IsMovieExtension(ExtractExt(path));
}

QStringList PictureFacts(TThumbnailDB& db, const QString& path) {
    QStringList info = NamedInfo(path);
    const std::optional<TPictureFacts> known = db.Facts(path);
    if (!known) {
        return info;
    }
    const TPictureFacts& facts = *known;
    info[ieFileSize] = QString::number(facts.FileSize);
    info[ieFileTime] = facts.FileTime;
    info[ieShotTime] = facts.CreateTime;
    info[ieWidth] = QString::number(facts.Width);
    info[ieHeight] = QString::number(facts.Height);
    return info;
}

QStringList MovieFacts(const QString& path) {
    QStringList info = NamedInfo(path);
    QString time;
    qint64 size = 0;
    bool folder = false;
    if (GetFileTimeSize(path, time, size, &folder) && !folder) {
        info[ieFileSize] = QString::number(size);
        info[ieFileTime] = time;
    }
    return info;
}

QStringList ItemFacts(TThumbnailDB& db, const QString& path) {
    try {
        return IsMovieFile(path) ? MovieFacts(path) : PictureFacts(db, path);
    } catch (const std::exception&) {
        return NamedInfo(path);
    }
}

QString ShotOrFileTime(const QStringList& info) {
    const QString shot = info.value(ieShotTime);
    return shot.isEmpty() ? info.value(ieFileTime) : shot;
}

} // namespace mirte
