#include "th_graphic.h"

#include "th_render.h"
#include "util/file_facts.h"

namespace mirte {

const QString& TThGraphic::LoadedFileName() const {
    static const QString none;
    return m_loaded ? m_loaded->path : none;
}

bool TThGraphic::LoadPicture(const QString& fileName) {
    if (fileName.isEmpty()) {
        return false;
    }
    QString time;
    qint64 size = 0;
    const bool known = GetFileTimeSize(fileName, time, size);
    if (known && m_loaded && m_loaded->path == fileName && m_loaded->time == time &&
        m_loaded->size == size) {
        return true; // the same file, unchanged since
    }
    m_loaded.reset();
    m_thumbnailFrame = QSize();
    const PictureHeader header = ReadPictureHeader(fileName);
    m_loaded = Loaded{fileName, time, size, header};
    return true;
}

bool TThGraphic::MakeThumbnail(const QString& fileName) {
    if (!LoadPicture(fileName)) {
        return false;
    }
    const QSize frame(m_frameWidth, m_frameHeight);
    if (m_thumbnailFrame == frame && !m_thumbnail.isNull()) {
        return true; // made from this very file for this frame already
    }
    m_thumbnailFrame = QSize();
    m_thumbnail = QImage();
    ++m_decodeCount;
    m_thumbnail = RenderFitted(fileName, m_loaded->header, frame);
    m_thumbnailFrame = frame;
    return true;
}

bool TThGraphic::GetImageInfo(const QString& fileName, TImageInfo& info) {
    if (!LoadPicture(fileName)) {
        return false;
    }
    return ReadPictureFacts(fileName, m_loaded->header, info);
}

} // namespace mirte
