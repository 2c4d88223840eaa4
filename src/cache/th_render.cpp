#include "th_render.h"

#include "inner_size.h"
#include "picture/exif_reader.h"
#include "picture/orientation.h"
#include "picture/picture_decoder.h"
#include "picture/stored_thumbnail.h"

namespace mirte {

QImage RenderFitted(const QString& path, const PictureHeader& header, QSize box) {
    const QSize upright = UprightSize(QSize(header.width, header.height), header.orientation);
    TInnerSize inner;
    inner.SetSize(box.width(), box.height(), upright.width(), upright.height());
    // A hair-thin picture keeps at least one pixel across.
    return DecodePictureTo(path, header,
                           QSize(qMax(1, inner.InnerWidth), qMax(1, inner.InnerHeight)));
}

bool ReadPictureFacts(const QString& path, const PictureHeader& header, TPictureFacts& facts,
                      const TFileLook* look) {
    TPictureFacts read;
    read.Width = header.width;
    read.Height = header.height;
    if (header.format == PictureFormat::Jpeg || header.exifSeen) {
        // The header reader kept the EXIF block (a JPEG's when it came before the frame, and
        // always HEIF's, WebP's and a camera RAW's); only a JPEG without one there is walked
        // again (the block may follow the frame).
        TExifInfo exif;
        TExifRecord record = header.exif;
        if (!header.exifSeen && exif.HasExif(path)) {
            record = exif.ReadExif();
        }
        read.CreateTime = ExifDateToText(record.DateTimeOriginal);
        read.UpdateTime = ExifDateToText(record.DateTime);
    }
    const TFileLook source = look != nullptr ? *look : LookAtFile(path);
    if (!source.Exists) {
        return false;
    }
    read.FileTime = source.Time;
    read.FileSize = source.Size;
    read.VolLabel = source.VolLabel;
    read.VolSer = source.VolSer;
    facts = read;
    return true;
}

TRenderedPicture RenderPicture(const QString& path, QSize box, bool forCache,
                               const TFileLook* look) {
    TRenderedPicture result;
    try {
        const PictureHeader header = ReadPictureHeader(path);
        result.Thumbnail = RenderFitted(path, header, box);
        if (forCache) {
            result.FactsRead = ReadPictureFacts(path, header, result.Facts, look);
        }
    } catch (const std::exception& error) {
        result.Thumbnail = QImage();
        result.Error = QString::fromUtf8(error.what());
        return result;
    }
    if (forCache) {
        try {
            result.Stored = EncodeStoredThumbnail(result.Thumbnail);
        } catch (const std::exception&) {
            // Left empty: storing encodes it again, and reports what fails there.
        }
    }
    return result;
}

} // namespace mirte
