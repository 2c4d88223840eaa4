#pragma once

#include "cache_log.h"
#include "th_render.h"
#include "th_table.h"

#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

namespace mirte {

class TThDebugLog;

// What the cache answers for a picture: its thumbnail, fitted into the cache's box, and the
// picture's facts; or why there is none.
struct TThumbnail {
    QImage Picture;      // null when there is none
    TPictureFacts Facts; // the picture's facts, with the picture
    bool FromCache = false;
    QString Error; // why there is no picture; empty for a plain miss of Cached()
    bool Ok() const { return !Picture.isNull(); }
};

// Where a stored thumbnail lies, for a caller that reads it on another thread.
struct TStoredThumbnail {
    QString File; // the thumbnail as the cache stores it (a JPEG file)
    TPictureFacts Facts;
};

// The thumbnail cache: thumbnails of pictures fitted into its box, from the cache folder while
// a stored one still matches its picture, else rendered and stored; and the pictures' facts.
// Every call looks at the picture's file once. Not safe for concurrent calls: the thread that
// owns it stores everything; render workers only make what it stores (Store).
class TThumbnailDB {
    Q_DECLARE_TR_FUNCTIONS(TThumbnailDB)

public:
    // The box the program's thumbnails are made and stored in; display sizes only scale them.
    static constexpr int CacheBox = 512;

    // exeDir: where the debug log goes (exeDir + "Log/A") when logging is switched on.
    explicit TThumbnailDB(const QString& exeDir = QString(), TThDebugLog* log = nullptr);
    // Saves the table when it changed; a failure here is logged, not raised.
    ~TThumbnailDB();
    TThumbnailDB(const TThumbnailDB&) = delete;
    TThumbnailDB& operator=(const TThumbnailDB&) = delete;

    // Takes the folder into use; other programs may use it at the same time (see TThTable).
    void SetCacheDirectory(const QString& dir) { m_table.SetCacheDir(dir); }
    // Told, on the calling thread, when another program keeps the folder's lock past a moment.
    void OnFolderBusy(std::function<void(const QString& message)> notice) {
        m_table.SetBusyNotice(std::move(notice));
    }
    // How long a step waits for the folder's lock (TThTable::DefaultLockWaitMs).
    void SetFolderWaitMs(int ms) { m_table.SetLockWaitMs(ms); }
    // Whether another program kept the folder's lock past the wait, so that this cache stores
    // nothing until it is free.
    bool FolderInUse() const { return m_table.ReadOnly(); }
    QString GetCacheDirectory() const { return m_table.GetCacheDir(); }
    void SetMaxCacheSize(qint64 sizeKB) { m_table.SetMaxSize(sizeKB); }
    qint64 GetMaxCacheSize() const { return m_table.GetMaxSize(); }

    // The thumbnail of a picture with its facts. A stored one is read only as large as covers
    // it fitted into `readBox` (device pixels; empty: whole); a missing one is rendered on this
    // thread and stored whole. A thumbnail that cannot be stored (a full or read-only disk) is
    // still returned; the cache then stops storing until it is cleared or switched. Never
    // raises: a failure says why in Error.
    TThumbnail Thumbnail(const QString& path, QSize readBox = QSize());
    // Only the cache's part of Thumbnail: the stored thumbnail, or a miss (no picture, no
    // error). `look`, when given, receives what the look at the file found, for a render
    // elsewhere (a render worker's job), so that the file is not looked at again.
    TThumbnail Cached(const QString& path, QSize readBox = QSize(), TFileLook* look = nullptr);
    // Where the picture's stored thumbnail is, unread; nullopt on a miss. `look` as for Cached.
    std::optional<TStoredThumbnail> Locate(const QString& path, TFileLook* look = nullptr);
    // A stored thumbnail found unreadable after Locate: its record goes, the picture is made
    // anew next time.
    void Forget(const QString& path);
    // Takes a thumbnail rendered elsewhere for the cache's box (RenderPicture, for the cache)
    // as Thumbnail takes one it made: stored, and handed back with its facts.
    TThumbnail Store(const QString& path, const TRenderedPicture& rendered);
    // Makes the thumbnail again, replacing the stored one.
    TThumbnail Remake(const QString& path);
    // The facts of a picture: from its record while that still matches the file (no picture
    // file is opened then), else from the picture's header. nullopt for a missing file, a
    // folder, or a picture whose header cannot be read.
    std::optional<TPictureFacts> Facts(const QString& path);

    void ClearCache() { m_table.ClearCache(); }
    void SaveTable() { m_table.SaveTable(); }
    // Whether new thumbnails are stored: not after a store failed (a full or read-only disk),
    // until the cache is cleared or switched.
    bool Storing() const { return !m_table.Images().Disabled; }
    // How many pictures were rendered for this cache, here or by render workers.
    int RenderCount() const { return m_renders; }
    // Each record, least recently used first.
    void ForEachRecord(const std::function<void(const TThImage&)>& visit) const;
    // The management file and the data folder, where the records and thumbnails lie.
    QString TableFileName() const { return m_table.TableFileName(); }
    QString DataDir() const { return m_table.DataDir(); }

private:
    // Records a thumbnail with its facts; `encoded`: its stored form, if made.
    void Keep(const QString& path, const QImage& picture, const TPictureFacts& facts,
              const QByteArray& encoded);

    TThTable m_table;
    CacheLog m_log;
    int m_renders = 0;
};

} // namespace mirte
