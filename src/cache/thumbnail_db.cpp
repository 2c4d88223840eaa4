#include "thumbnail_db.h"

#include "diag/th_debug_log.h"
#include "picture/stored_thumbnail.h"
#include "util/errors.h"
#include "util/file_facts.h"
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
    : Table(OpenedLog(exeDir, log)), m_log(log) {}

TThumbnailDB::~TThumbnailDB() {
    try {
        if (!Table.GetCacheDir().isEmpty()) {
            Table.SaveTable();
        }
    } catch (const ECacheError& error) {
        m_log.Write("%s", error.what()); // the old management file is still whole
    }
}

void TThumbnailDB::SetThumbnailWidth(int width) {
    ThumbWidth = width;
    Graphic.SetFrameWidth(width);
}

void TThumbnailDB::SetThumbnailHeight(int height) {
    ThumbHeight = height;
    Graphic.SetFrameHeight(height);
}

void TThumbnailDB::TakeFacts(const QString& fileName, const TPictureFacts& facts) {
    static_cast<TPictureFacts&>(OriginalImageInfo) = facts;
    OriginalImageInfo.FileName = fileName;
    m_factsTime = facts.FileTime;
    m_factsSize = facts.FileSize;
}

bool TThumbnailDB::LookupThumbnail(const QString& fileName, QSize box) {
    ThumbnailInfo.FromCache = false;
    ThumbnailInfo.Bitmap = QImage(); // lets the table read the next bitmap into the same memory
    if (!Table.Lookup(fileName, ThumbWidth, ThumbHeight, box)) {
        return false;
    }
    ThumbnailInfo.Bitmap = Table.ResultBitmap;
    ThumbnailInfo.FromCache = true;
    TakeFacts(Table.Current->OrgFileName, Table.Current->Org);
    return true;
}

bool TThumbnailDB::StoreRendered(const QString& fileName, const TRenderedPicture& rendered) {
    ThumbnailInfo.FromCache = false;
    ThumbnailInfo.Bitmap = rendered.Thumbnail;
    if (rendered.Thumbnail.isNull() || !rendered.FactsRead) {
        return false;
    }
    ++m_rendersTaken;
    TakeFacts(fileName, rendered.Facts);
    Store(fileName, rendered.Stored);
    return true;
}

bool TThumbnailDB::GetThumbnail(const QString& fileName, QSize box) {
    if (LookupThumbnail(fileName, box)) {
        return true;
    }
    if (!Graphic.MakeThumbnail(fileName)) {
        return false;
    }
    ThumbnailInfo.Bitmap = Graphic.Thumbnail();
    if (!GetOriginalInfo(fileName)) {
        return false;
    }
    Store(fileName);
    return true;
}

void TThumbnailDB::Store(const QString& fileName, const QByteArray& encoded) {
    // A line break cannot live in the line-based management file: such a picture is shown but
    // never recorded (nor can a crafted name plant a record line).
    if (fileName.contains(u'\n') || fileName.contains(u'\r')) {
        return;
    }
    try {
        Table.AddRecord(fileName, ThumbnailInfo.Bitmap, OriginalImageInfo, ThumbWidth, ThumbHeight,
                        encoded);
    } catch (const std::exception&) {
        // Writing or deleting a bitmap failed: the cache is now disabled (and the failure
        // logged), but the thumbnail itself is good and goes to the caller.
    }
}

void TThumbnailDB::RefreshThumbnail(const QString& fileName) {
    Table.RemoveRecord(fileName, ThumbWidth, ThumbHeight);
    GetThumbnail(fileName);
}

bool TThumbnailDB::GetOriginalInfo(const QString& fileName) {
    QString time;
    qint64 size = 0;
    bool folder = false;
    if (!GetFileTimeSize(fileName, time, size, &folder) || folder) {
        return false;
    }
    if (fileName == OriginalImageInfo.FileName && time == m_factsTime && size == m_factsSize) {
        return true; // the facts held are still this file's
    }
    TThImage& key = Table.Images.Key();
    key.OrgFileName = fileName;
    key.ReqWidth = ThumbWidth;
    key.ReqHeight = ThumbHeight;
    if (const TThImage* record = Table.Images.FindImage(key)) {
        TakeFacts(record->OrgFileName, record->Org); // a folder seen before: from the table
        return true;
    }
    TImageInfo info;
    if (!Graphic.GetImageInfo(fileName, info)) {
        return false;
    }
    TakeFacts(fileName, info);
    return true;
}

} // namespace mirte
