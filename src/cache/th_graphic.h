#pragma once

#include "picture/picture_header.h"
#include "picture_facts.h"

#include <QImage>
#include <QString>
#include <optional>

namespace mirte {

// The facts GetImageInfo reads.
using TImageInfo = TPictureFacts;

// Renders thumbnails of picture files and reads their facts; used by the cache only, one call at
// a time. The picture loaded last is kept while its path, time and size still match, so the
// facts and the thumbnail of one file cost one header read and one decode.
class TThGraphic {
public:
    void SetFrameWidth(int value) { m_frameWidth = value; }
    void SetFrameHeight(int value) { m_frameHeight = value; }

    // Reads the picture's header (no pixels); false for an empty name. Raises EPictureError for
    // a file that cannot be read, keeping nothing of it.
    bool LoadPicture(const QString& fileName);
    // Renders Thumbnail(): the upright picture fitted into the frame. Raises EPictureError, or
    // ECacheError for an empty frame.
    bool MakeThumbnail(const QString& fileName);
    // The last rendered thumbnail; copy it before the next call.
    const QImage& Thumbnail() const { return m_thumbnail; }
    // The picture's facts, from its header and EXIF block, without decoding it; false when the
    // file's time and size cannot be read.
    bool GetImageInfo(const QString& fileName, TImageInfo& info);

    const QString& LoadedFileName() const;
    // How many pictures were decoded so far.
    int DecodeCount() const { return m_decodeCount; }

private:
    struct Loaded {
        QString path;
        QString time;
        qint64 size = 0;
        PictureHeader header;
    };

    std::optional<Loaded> m_loaded;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    QImage m_thumbnail;
    QSize m_thumbnailFrame; // the frame Thumbnail() was made for; empty when it is stale
    int m_decodeCount = 0;
};

} // namespace mirte
