#pragma once

#include "th_graphic.h"
#include "th_render.h"
#include "th_table.h"

#include <QImage>
#include <QString>

namespace mirte {

class TThDebugLog;

// The result of the last GetThumbnail: valid until the next call; copy it at once.
struct TThumbnailInfo {
    QImage Bitmap;
    bool FromCache = false; // served from the cache rather than made anew
};

// The facts of the last picture asked about, and which file they describe.
struct TOriginalImageInfo : TPictureFacts {
    QString FileName;
};

// The thumbnail cache's single entry point: thumbnails fitted into the box, from the cache
// folder when a valid one is stored there, else rendered and stored; and the facts of pictures.
// Not safe for concurrent calls: its callers take turns.
class TThumbnailDB {
public:
    // The box the program's thumbnails are made and stored in; display sizes only scale them.
    static constexpr int CacheBox = 512;

    // exeDir: where the debug log goes (exeDir + "Log/A") when logging is switched on.
    explicit TThumbnailDB(const QString& exeDir = QString(), TThDebugLog* log = nullptr);
    // Saves the table when it changed; a failure here is logged, not raised.
    ~TThumbnailDB();
    TThumbnailDB(const TThumbnailDB&) = delete;
    TThumbnailDB& operator=(const TThumbnailDB&) = delete;

    void SetCacheDirectory(const QString& dir) { Table.SetCacheDir(dir); }
    QString GetCacheDirectory() const { return Table.GetCacheDir(); }
    void SetMaxCacheSize(qint64 sizeKB) { Table.SetMaxSize(sizeKB); }
    qint64 GetMaxCacheSize() const { return Table.GetMaxSize(); }
    void SetThumbnailWidth(int width);
    void SetThumbnailHeight(int height);

    // The thumbnail of a picture in ThumbnailInfo, its facts in OriginalImageInfo. `box` is what
    // the caller shows it in (device pixels): a stored thumbnail is then read only as large as
    // covers it fitted into that box, a new one comes whole; an empty box asks for the whole
    // thumbnail always (printing). Either way the cache stores the whole thumbnail. A
    // thumbnail that cannot be stored (a full or read-only disk) is still returned; the cache
    // then stops storing until it is cleared or switched. Raises the renderer's errors.
    bool GetThumbnail(const QString& fileName, QSize box = QSize());
    // Only the cache's part of GetThumbnail: true when a stored thumbnail was served.
    bool LookupThumbnail(const QString& fileName, QSize box = QSize());
    // Takes a thumbnail rendered elsewhere (by a render worker, for the box set here) as
    // GetThumbnail takes one it made: into ThumbnailInfo and OriginalImageInfo, and stored.
    // False, storing nothing, when it could not be rendered or its facts not read.
    bool StoreRendered(const QString& fileName, const TRenderedPicture& rendered);
    // Makes the thumbnail again, replacing the stored one.
    void RefreshThumbnail(const QString& fileName);
    // The facts of a picture: from its record while that still matches the file (no picture
    // file is opened then), else from the picture's header. False for a missing file, keeping
    // the previous facts.
    bool GetOriginalInfo(const QString& fileName);
    void ClearCache() { Table.ClearCache(); }
    // How many pictures were rendered for this cache, here or by render workers.
    int RenderCount() const { return Graphic.DecodeCount() + m_rendersTaken; }
    void SaveTable() { Table.SaveTable(); }

    TThTable Table;
    TThGraphic Graphic;
    int ThumbWidth = 0;
    int ThumbHeight = 0;
    TThumbnailInfo ThumbnailInfo;
    TOriginalImageInfo OriginalImageInfo;

private:
    void TakeFacts(const QString& fileName, const TPictureFacts& facts);
    // Records ThumbnailInfo.Bitmap with OriginalImageInfo; `encoded`: its stored form, if made.
    void Store(const QString& fileName, const QByteArray& encoded = QByteArray());

    CacheLog m_log;
    QString m_factsTime; // time and size of OriginalImageInfo's file when its facts were read
    qint64 m_factsSize = -1;
    int m_rendersTaken = 0;
};

} // namespace mirte
