#include "thumbnail_db.h"

#include "diag/th_debug_log.h"
#include "picture/picture_error.h"
#include "picture/picture_header.h"
#include "picture/stored_thumbnail.h"
#include "util/errors.h"
#include "util/paths.h"

namespace mirte {

static_assert(TThumbnailDB::CacheBox <= MaxStoredSide, "the store refuses larger thumbnails");

namespace {

// The log is opened before the table exists: the table's first line goes into it.
CacheLog OpenedLog(const QString& exeDir, TThDebugLog* log) {
    if (log != nullptr && !exeDir.isEmpty()) {
        log->Open(JoinPath(exeDir, QStringLiteral("Log/A")));
    }
    return CacheLog(log);
}

} // namespace

TThumbnailDB::TThumbnailDB(const QString& exeDir, TThDebugLog* log)
    : m_table(OpenedLog(exeDir, log)), m_log(log) {}

TThumbnailDB::~TThumbnailDB() {
    try {
        if (!m_table.GetCacheDir().isEmpty()) {
            m_table.SaveTable();
        }
    } catch (const ECacheError& error) {
        m_log.Write("%s", error.what()); // the old management file is still whole
    }
}

TThumbnail TThumbnailDB::Cached(const QString& path, QSize readBox, TFileLook* look) {
    const TFileLook source = LookAtFile(path);
    if (look != nullptr) {
        *look = source;
    }
    TThumbnail result;
    std::optional<TThHit> hit;
    try {
        hit = m_table.Lookup(path, CacheBox, CacheBox, readBox, &source);
    } catch (const std::exception&) {
        hit.reset(); // made anew by the caller
    }
    if (hit) {
        result.Picture = std::move(hit->Bitmap);
        result.Facts = hit->Facts;
        result.FromCache = true;
    }
    return result;
}

std::optional<TStoredThumbnail> TThumbnailDB::Locate(const QString& path, TFileLook* look) {
    const TFileLook source = LookAtFile(path);
    if (look != nullptr) {
        *look = source;
    }
    const TThImage* record = m_table.FindRecord(path, CacheBox, CacheBox, &source);
    if (record == nullptr) {
        return std::nullopt;
    }
    return TStoredThumbnail{record->BitmapFileName(), record->Org};
}

void TThumbnailDB::Forget(const QString& path) {
    try {
        m_table.RemoveRecord(path, CacheBox, CacheBox);
    } catch (const std::exception& error) {
        m_log.Write("%s", error.what()); // a file that cannot go is overwritten when reused
    }
}

TThumbnail TThumbnailDB::Store(const QString& path, const TRenderedPicture& rendered) {
    TThumbnail result;
    result.Error = rendered.Error;
    if (rendered.Thumbnail.isNull()) {
        return result;
    }
    if (!rendered.FactsRead) {
        result.Error = tr("ファイルの日時とサイズを読めません。"); // it vanished
        return result;
    }
    ++m_renders;
    result.Picture = rendered.Thumbnail;
    result.Facts = rendered.Facts;
    Keep(path, result.Picture, result.Facts, rendered.Stored);
    return result;
}

TThumbnail TThumbnailDB::Thumbnail(const QString& path, QSize readBox) {
    TFileLook look;
    TThumbnail cached = Cached(path, readBox, &look);
    if (cached.Ok()) {
        return cached;
    }
    return Store(path, RenderPicture(path, QSize(CacheBox, CacheBox), true, &look));
}

TThumbnail TThumbnailDB::Remake(const QString& path) {
    Forget(path);
    return Thumbnail(path);
}

void TThumbnailDB::Keep(const QString& path, const QImage& picture, const TPictureFacts& facts,
                        const QByteArray& encoded) {
    // A line break cannot live in the line-based management file: such a picture is shown but
    // never recorded (nor can a crafted name plant a record line).
    if (path.contains(u'\n') || path.contains(u'\r')) {
        return;
    }
    try {
        m_table.AddRecord(path, picture, facts, CacheBox, CacheBox, encoded);
    } catch (const std::exception&) {
        // Writing or deleting a bitmap failed: the cache is now disabled (and the failure
        // logged), but the thumbnail itself is good and goes to the caller.
    }
}

std::optional<TPictureFacts> TThumbnailDB::Facts(const QString& path) {
    const TFileLook look = LookAtFile(path);
    if (!look.Exists || look.IsFolder) {
        return std::nullopt;
    }
    if (const TThImage* record = m_table.FindRecord(path, CacheBox, CacheBox, &look)) {
        return record->Org; // a folder seen before: from the table
    }
    try {
        TPictureFacts facts;
        if (ReadPictureFacts(path, ReadPictureHeader(path), facts, &look)) {
            return facts;
        }
    } catch (const EPictureError&) {
        // No facts for a file that is not a picture we read.
    }
    return std::nullopt;
}

void TThumbnailDB::ForEachRecord(const std::function<void(const TThImage&)>& visit) const {
    const TThImageBase& records = m_table.Images();
    for (int i = 0; i < records.Count(); ++i) {
        visit(*records.Image(i));
    }
}

} // namespace mirte
