#pragma once

#include "th_image_base.h"
#include "util/file_lock.h"

#include <QImage>
#include <QString>
#include <atomic>
#include <functional>

namespace mirte {

// The management table: the records, the management file _TDBCache.dat, the cache folder, and
// the three record operations of the cache database.
//
// One program at a time stores into a cache folder: the table holds the folder's lock file
// (TFileLock) while it has the folder. A table that finds the lock held by another program waits
// LockWaitMs for it, then works without storing (ReadOnly): it serves the thumbnails stored
// that are still what its records say, renders the rest, and writes nothing, neither files
// nor the management file. Once the lock is free again it takes it when it would store or save,
// reading the table afresh first, so that nothing another program stored is lost.
class TThTable {
public:
    // The notices of a table that finds its folder in use, word for word (%s: the folder).
    static constexpr const char* kWaitingMessage =
        "キャッシュフォルダ %s は他のミルテが使用中です。空くのを待っています。";
    static constexpr const char* kReadOnlyMessage =
        "キャッシュフォルダ %s は他のミルテが使用中です。サムネイルは保存しません。";
    static constexpr const char* kCannotClearMessage =
        "キャッシュフォルダ %s は他のミルテが使用中のため、クリアできません。";
    // How long SetCacheDir waits for a folder that another program stores into: three seconds,
    // unless MIRTE_CACHE_WAIT_MS says otherwise.
    static int DefaultLockWaitMs();

    explicit TThTable(CacheLog log = CacheLog());

    // Saves the old folder's table, lets its lock go, takes the new folder's (waiting for it
    // as above) and loads its table. Raises ECacheError for an empty name.
    void SetCacheDir(const QString& dir);
    QString GetCacheDir() const { return Images.CacheFileName.CacheDir; }
    void SetMaxSize(qint64 sizeKB);
    qint64 GetMaxSize() const { return Images.CacheFileName.MaxSizeKB; }

    // Reads the management file when there is one; bad lines are dropped silently.
    void LoadTable();
    // Writes the management file when something changed: a new file beside it, renamed over the
    // old one, so that a failed save leaves the old file whole. Raises ECacheError/EInOutError.
    void SaveTable();
    // Deletes the data folder (and older versions' ones) with every record and bitmap. Raises
    // ECacheError (kCannotClearMessage) while another program stores into the folder.
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
    // Whether another program stores into the folder and this table stores nothing. Readable
    // from any thread.
    bool ReadOnly() const { return m_readOnly.load(); }

    int LockWaitMs = DefaultLockWaitMs();
    // Told the notices above (the message filled in), on the thread that set the folder.
    std::function<void(const QString& message)> OnBusy;

    TThImageBase Images;
    TThImage* Current = nullptr; // the record found or added last (the key after a miss)
    QImage ResultBitmap;
    int LineNo = 0;

private:
    void FillKey(const QString& fileName, int width, int height);
    void WriteTable(const QString& path);
    void TakeLock();
    // A read-only table takes the lock if it is free now, reading the table afresh; true when
    // the table may store.
    bool MayStore();
    void Tell(const char* pattern);

    CacheLog m_log;
    TFileLock m_lock;
    std::atomic<bool> m_readOnly{false};
};

} // namespace mirte
