#pragma once

#include "th_image_base.h"

#include <QImage>
#include <QString>

namespace mirte {

// The management table: the records, the management file _TDBCache.dat, the cache folder, and
// the three record operations of the cache database.
class TThTable {
public:
    explicit TThTable(CacheLog log = CacheLog());

    // Saves the old folder's table and loads the new one's. Raises ECacheError for an empty name.
    void SetCacheDir(const QString& dir);
    QString GetCacheDir() const { return Images.CacheFileName.CacheDir; }
    void SetMaxSize(qint64 sizeKB);
    qint64 GetMaxSize() const { return Images.CacheFileName.MaxSizeKB; }

    // Reads the management file when there is one; bad lines are dropped silently.
    void LoadTable();
    // Writes the management file when something changed: a new file beside it, renamed over the
    // old one, so that a failed save leaves the old file whole. Raises ECacheError/EInOutError.
    void SaveTable();
    // Deletes the data folder (and older versions' ones) with every record and bitmap.
    void ClearCache();
    // Deletes the data folders of older cache versions in the cache folder (never following a
    // link out of it). Raises ECacheError for a folder not named as ours or for too many.
    void DeleteOldCaches();

    // A stored thumbnail for the picture and box: true with ResultBitmap and Current set.
    // ResultBitmap is read at the smallest scale that covers it fitted into `readBox` (whole
    // when that is empty). A record whose thumbnail is missing or unreadable is dropped (the
    // caller renders anew).
    // `look`: the source as the caller found it (looked at here when not given).
    bool Lookup(const QString& fileName, int width, int height, QSize readBox = QSize(),
                const TFileLook* look = nullptr);
    // The record of the picture and box while its source is as recorded, without reading its
    // thumbnail; null when there is none.
    TThImage* FindRecord(const QString& fileName, int width, int height,
                         const TFileLook* look = nullptr);
    // Stores a new thumbnail (after evicting what the limit asks); nothing while disabled.
    // `encoded`: the bitmap's stored form when already made (by a render worker).
    void AddRecord(const QString& fileName, const QImage& bitmap, const TPictureFacts& facts,
                   int width, int height, const QByteArray& encoded = QByteArray());
    // Deletes the matching record and its bitmap; false when there is none.
    bool RemoveRecord(const QString& fileName, int width, int height);

    QString TableFileName() const { return Images.CacheFileName.TableFileName(); }
    QString DataDir() const { return Images.CacheFileName.DataDir(); }

    TThImageBase Images;
    TThImage* Current = nullptr; // the record found or added last (the key after a miss)
    QImage ResultBitmap;
    int LineNo = 0;

private:
    void FillKey(const QString& fileName, int width, int height);
    void WriteTable(const QString& path);

    CacheLog m_log;
};

} // namespace mirte
