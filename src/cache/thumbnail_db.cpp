#include "thumbnail_db.h"

#include "diag/th_debug_log.h"
#include "util/errors.h"
#include "util/file_facts.h"
#include "util/paths.h"

namespace mirte {

TThumbnailDB::TThumbnailDB(const QString& exeDir, TThDebugLog* log)
    : Table(CacheLog(log)), m_log(log) {
    if (log != nullptr && !exeDir.isEmpty()) {
        log->Open(JoinPath(exeDir, QStringLiteral("Log/A")));
    }
}

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

void TThumbnailDB::TakeFacts(const TThImage& record) {
    OriginalImageInfo = {record.OrgFileName,   record.OrgWidth,      record.OrgHeight,
                         record.OrgCreateTime, record.OrgUpdateTime, record.OrgFileTime,
                         record.OrgFileSize,   record.OrgVolLabel,   record.OrgVolSer};
    m_factsTime = record.OrgFileTime;
    m_factsSize = record.OrgFileSize;
}

bool TThumbnailDB::GetThumbnail(const QString& fileName) {
    ThumbnailInfo.FromCache = false;
    ThumbnailInfo.Bitmap = QImage(); // lets the table read the next bitmap into the same memory
    if (Table.Lookup(fileName, ThumbWidth, ThumbHeight)) {
        ThumbnailInfo.Bitmap = Table.ResultBitmap;
        ThumbnailInfo.FromCache = true;
        TakeFacts(*Table.Current);
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

void TThumbnailDB::Store(const QString& fileName) {
    // A line break cannot live in the line-based management file: such a picture is shown but
    // never recorded (nor can a crafted name plant a record line).
    if (fileName.contains(u'\n') || fileName.contains(u'\r')) {
        return;
    }
    const TOriginalImageInfo& o = OriginalImageInfo;
    const TThFacts facts{o.Width,    o.Height,   o.CreateTime, o.UpdateTime,
                         o.FileTime, o.FileSize, o.VolLabel,   o.VolSer};
    try {
        Table.AddRecord(fileName, ThumbnailInfo.Bitmap, facts, ThumbWidth, ThumbHeight);
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
        TakeFacts(*record); // a folder seen before: its facts come from the table
        return true;
    }
    TImageInfo info;
    if (!Graphic.GetImageInfo(fileName, info)) {
        return false;
    }
    OriginalImageInfo = {fileName,        info.Width,      info.Height,
                         info.CreateTime, info.UpdateTime, info.FileTime,
                         info.FileSize,   info.VolLabel,   info.VolSer};
    m_factsTime = info.FileTime;
    m_factsSize = info.FileSize;
    return true;
}

} // namespace mirte
