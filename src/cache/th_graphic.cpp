#include "th_graphic.h"

#include "picture/orientation.h"
#include "picture/picture_decoder.h"
#include "util/file_facts.h"
#include "util/volume_info.h"

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
    const PictureHeader& header = m_loaded->header;
    const QSize upright = UprightSize(QSize(header.width, header.height), header.orientation);
    m_innerSize.SetSize(m_frameWidth, m_frameHeight, upright.width(), upright.height());
    // A hair-thin picture keeps at least one pixel across.
    const QSize inner(qMax(1, m_innerSize.InnerWidth), qMax(1, m_innerSize.InnerHeight));
    m_thumbnailFrame = QSize();
    m_thumbnail = QImage();
    ++m_decodeCount;
    m_thumbnail = DecodePictureTo(fileName, header, inner);
    m_thumbnailFrame = frame;
    return true;
}

bool TThGraphic::GetImageInfo(const QString& fileName, TImageInfo& info) {
    if (!LoadPicture(fileName)) {
        return false;
    }
    TImageInfo facts;
    facts.Width = m_loaded->header.width;
    facts.Height = m_loaded->header.height;
    if (m_loaded->header.format == PictureFormat::Jpeg && m_exifInfo.HasExif(fileName)) {
        const TExifRecord exif = m_exifInfo.ReadExif();
        facts.CreateTime = ExifDateToText(exif.DateTimeOriginal);
        facts.UpdateTime = ExifDateToText(exif.DateTime);
    }
    if (!GetFileTimeSize(fileName, facts.FileTime, facts.FileSize)) {
        return false;
    }
    GetVolumeInfo(fileName, facts.VolLabel, facts.VolSer);
    info = facts;
    return true;
}

} // namespace mirte
