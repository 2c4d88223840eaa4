#include "item_facts.h"

#include "picture/orientation.h"
#include "picture/picture_error.h"
#include "picture/picture_format.h"
#include "picture/picture_header.h"
#include "th_render.h"
#include "thumbnail_db.h"
#include "util/file_facts.h"
#include "util/paths.h"

#include <QFileInfo>

namespace mirte {

namespace {

// The stored size turned by a quarter when the picture is shown that way.
QSize Turned(const TPictureFacts& facts, bool quarter) {
    return quarter ? QSize(facts.Height, facts.Width) : QSize(facts.Width, facts.Height);
}

// Whether the picture shows turned by a quarter, from its header's orientation.
bool HeaderTurns(const QString& path) {
    try {
        return SwapsSides(ReadPictureHeader(path).orientation);
    } catch (const EPictureError&) {
        return false;
    }
}

// Whether the stored thumbnail, made upright, lies the other way than the stored picture: read
// from the thumbnail's header only; from the picture's header when the thumbnail is unreadable.
bool ThumbnailTurns(const QString& thumbnail, const QString& path, const TPictureFacts& facts) {
    if (facts.Width == facts.Height) {
        return false;
    }
    try {
        const PictureHeader stored = ReadPictureHeader(thumbnail);
        if (stored.width != stored.height) {
            return (stored.width > stored.height) != (facts.Width > facts.Height);
        }
    } catch (const EPictureError&) {
        // Gone or damaged: the cache makes it again; the picture tells meanwhile.
    }
    return HeaderTurns(path);
}

} // namespace

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
    // The facts keep the size as stored; the item shows the size of the upright picture. A
    // folder seen before opens no picture for it (its thumbnails tell the turn); otherwise
    // the header read for the facts tells it.
    TFileLook look;
    TPictureFacts facts;
    QSize shown;
    if (const std::optional<TStoredThumbnail> stored = db.Locate(path, &look)) {
        facts = stored->Facts;
        shown = Turned(facts, ThumbnailTurns(stored->File, path, facts));
    } else {
        if (!look.Exists || look.IsFolder) {
            return info;
        }
        try {
            const PictureHeader header = ReadPictureHeader(path);
            if (!ReadPictureFacts(path, header, facts, &look)) {
                return info;
            }
            shown = Turned(facts, SwapsSides(header.orientation));
        } catch (const EPictureError&) {
            return info; // no facts for a file that is not a picture we read
        }
    }
    info[ieFileSize] = QString::number(facts.FileSize);
    info[ieFileTime] = facts.FileTime;
    info[ieShotTime] = facts.CreateTime;
    info[ieWidth] = QString::number(shown.width());
    info[ieHeight] = QString::number(shown.height());
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
