#pragma once

#include "th_image_base.h"
#include "util/file_lock.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <atomic>
#include <functional>
#include <optional>

namespace mirte {

// A stored thumbnail that Lookup found: the picture and its record's facts.
struct TThHit {
    QImage Bitmap;
    TPictureFacts Facts;
};

// The management table: the records, the management file _TDBCache.dat, the cache folder, and
// the three record operations of the cache database.
//
// Any number of programs store into one cache folder at the same time. Each keeps its records
// in memory; the folder's lock file (TFileLock) is held only for one short step: while the
// management file is read, merged with this program's records and written, and while a
// thumbnail file is put in place. A lock another program keeps past LockWaitMs (one that hangs)
// makes the table work without storing (ReadOnly) until the lock is free again: it serves the
// stored thumbnails that are still what its records say, renders the rest and writes nothing.
// A folder whose file system has no such locks is used as by one program, and the log says so.
class TThTable {
    Q_DECLARE_TR_FUNCTIONS(TThTable)

public:
    // The notices of a table that finds its folder held, word for word (%1: the folder), shown
    // translated (tr) and logged as they are.
    static constexpr const char* kWaitingMessage = QT_TRANSLATE_NOOP(
        "TThTable", "キャッシュフォルダ %1 は他のミルテが使用中です。空くのを待っています。");
    static constexpr const char* kReadOnlyMessage = QT_TRANSLATE_NOOP(
        "TThTable", "キャッシュフォルダ %1 は他のミルテが使用中です。サムネイルは保存しません。");
    static constexpr const char* kCannotClearMessage = QT_TRANSLATE_NOOP(
        "TThTable", "キャッシュフォルダ %1 は他のミルテが使用中のため、クリアできません。");
    // How long a step waits for the lock another program holds: three seconds, unless
    // MIRTE_CACHE_WAIT_MS says otherwise. The waiting notice comes only after QuietWaitMs.
    static int DefaultLockWaitMs();
    static constexpr int QuietWaitMs = 1000;

    explicit TThTable(CacheLog log = CacheLog());

    // Saves the old folder's table and loads the new folder's. Raises ECacheError for an empty
    // name.
    void SetCacheDir(const QString& dir);
    QString GetCacheDir() const { return m_images.CacheFileName.CacheDir; }
    void SetMaxSize(qint64 sizeKB);
    qint64 GetMaxSize() const { return m_images.CacheFileName.MaxSizeKB; }
    void SetLockWaitMs(int ms) { m_lockWaitMs = ms; }
    // Told the notices above (the message filled in), on the thread that met the held lock.
    void SetBusyNotice(std::function<void(const QString& message)> notice) {
        m_onBusy = std::move(notice);
    }

    // Reads the management file when there is one; bad lines are dropped silently.
    void LoadTable();
    // Writes the management file when something changed, after merging what other programs
    // wrote into it since this table last read it: a new file beside it, renamed over the old
    // one, so that a failed save leaves the old file whole. With nothing to write it takes in
    // what the others wrote. Raises ECacheError/EInOutError.
    void SaveTable();
    // Deletes the data folder (and older versions' ones) with every record and bitmap. Raises
    // ECacheError (kCannotClearMessage) while another program keeps the folder's lock.
    void ClearCache();
    // Deletes the data folders of older cache versions in the cache folder (never following a
    // link out of it). Raises ECacheError for a folder not named as ours or for too many.
    void DeleteOldCaches();

    // A stored thumbnail for the picture and box, read at the smallest scale that covers it
    // fitted into `readBox` (whole when that is empty). A record whose thumbnail is missing,
    // unreadable or no longer its own is dropped (the caller renders anew).
    // `look`: the source as the caller found it (looked at here when not given).
    std::optional<TThHit> Lookup(const QString& fileName, int width, int height,
                                 QSize readBox = QSize(), const TFileLook* look = nullptr);
    // The record of the picture and box while its source is as recorded and its thumbnail file
    // is still its own, without reading the thumbnail; null when there is none.
    const TThImage* FindRecord(const QString& fileName, int width, int height,
                               const TFileLook* look = nullptr);
    // Stores a new thumbnail (after evicting what the limit asks); false while disabled or
    // read-only. `encoded`: the bitmap's stored form when already made (by a render worker).
    bool AddRecord(const QString& fileName, const QImage& bitmap, const TPictureFacts& facts,
                   int width, int height, const QByteArray& encoded = QByteArray());
    // Deletes the matching record and its bitmap; false when there is none.
    bool RemoveRecord(const QString& fileName, int width, int height);

    QString TableFileName() const { return m_images.CacheFileName.TableFileName(); }
    QString DataDir() const { return m_images.CacheFileName.DataDir(); }
    // Whether another program keeps the folder's lock, so that this table stores nothing.
    // Readable from any thread.
    bool ReadOnly() const { return m_readOnly.load(); }
    // The records; changed only through the table, but for the tests of the records themselves.
    const TThImageBase& Images() const { return m_images; }
    TThImageBase& Images() { return m_images; }
    // The lines the last load read or the last save wrote.
    int LineCount() const { return m_lineNo; }

private:
    // The management file as this table last read or wrote it (device, inode, size, time):
    // another program's write changes it.
    struct TStamp {
        quint64 Device = 0;
        quint64 Inode = 0;
        qint64 Size = -1;
        qint64 TimeNs = 0;
        bool operator==(const TStamp&) const = default;
    };
    static TStamp StampOf(const QString& path);

    // The record of the key, as the records say; Find also drops one whose file is no longer
    // its own.
    TThImage* FindKeyed(const QString& fileName, int width, int height, const TFileLook* look);
    TThImage* Find(const QString& fileName, int width, int height, const TFileLook* look);
    // Logs a record dropped because its thumbnail cannot be served.
    void LogUnserved(const TThImage& record);
    std::vector<std::unique_ptr<TThImage>> ReadRecords(const QString& path);
    // Reads what other programs wrote since this table last read the file, when it has nothing
    // of its own to write.
    void TakeInOthers();
    void WriteTable(const QString& path);
    // Takes the folder's lock for one step, waiting for another program as said above; false
    // when it is held past the wait (the table is read-only then).
    bool Hold();
    // A read-only table takes up storing again once the lock is free; true when it may store.
    bool MayStore();
    void Tell(const char* pattern);

    TThImageBase m_images;
    CacheLog m_log;
    TFileLock m_lock{TFileAccess::Private};
    TStamp m_stamp;
    int m_lineNo = 0;
    int m_lockWaitMs = DefaultLockWaitMs();
    bool m_sharing = true; // false on a file system without locks
    std::function<void(const QString& message)> m_onBusy;
    std::atomic<bool> m_readOnly{false};
};

} // namespace mirte
