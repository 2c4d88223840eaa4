#include "picture_header.h"

#include "exif_reader.h"
#include "heif_picture.h"
#include "jpeg_markers.h"
#include "picture_error.h"
#include "raw_picture.h"
#include "tiff_support.h"
#include "util/paths.h"
#include "webp_picture.h"

#include <QFile>
#include <tiffio.h>

namespace mirte {

namespace {

quint32 BigEndian(const unsigned char* p, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | p[i];
    }
    return value;
}

quint32 LittleEndian(const unsigned char* p, int size) {
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | p[i];
    }
    return value;
}

bool ReadExact(QIODevice& in, unsigned char* into, qint64 size) {
    return in.read(reinterpret_cast<char*>(into), size) == size;
}

bool IsStartOfFrame(unsigned code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

} // namespace

bool ReadJpegHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Jpeg};
    TJpegMarkers markers(in);
    if (!markers.Start()) {
        error = QStringLiteral("JPEG の開始マーカーがありません。");
        return false;
    }
    unsigned code = 0;
    qint64 length = 0;
    while (markers.Next(code, length)) {
        if (IsStartOfFrame(code)) {
            unsigned char frame[5];
            if (length < 5 || !ReadExact(in, frame, 5)) {
                break;
            }
            header.height = static_cast<int>(BigEndian(frame + 1, 2));
            header.width = static_cast<int>(BigEndian(frame + 3, 2));
            header.progressive = code == 0xC2 || code == 0xC6 || code == 0xCA || code == 0xCE;
            return true;
        }
        if (code == 0xE1 && !header.exifSeen) {
            // The first APP1 that is EXIF (an XMP one may come before it), as FindExifBlock
            // takes it; kept whole, for the facts.
            const QByteArray segment = in.read(length);
            if (segment.size() >= 6 && segment.startsWith(QByteArrayView("Exif\0", 5))) {
                header.exifSeen = true;
                ParseExifBlock(QByteArrayView(segment).sliced(6), header.exif);
                if (header.exif.Orientation > 0) {
                    header.orientation = header.exif.Orientation;
                }
            }
        }
    }
    error = QStringLiteral("JPEG のフレームヘッダーが見つかりません。");
    return false;
}

bool ReadPngHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Png};
    unsigned char head[24];
    if (!ReadExact(in, head, 24) ||
        QByteArrayView(head, 8) != QByteArrayView("\x89PNG\r\n\x1A\n") ||
        QByteArrayView(head + 12, 4) != QByteArrayView("IHDR")) {
        error = QStringLiteral("PNG のヘッダーが不正です。");
        return false;
    }
    const quint32 width = BigEndian(head + 16, 4);
    const quint32 height = BigEndian(head + 20, 4);
    header.width = width > 0x7FFFFFFFu ? -1 : static_cast<int>(width);
    header.height = height > 0x7FFFFFFFu ? -1 : static_cast<int>(height);
    return true;
}

bool ReadBmpHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Bmp};
    unsigned char head[26];
    if (!ReadExact(in, head, 18) || head[0] != 'B' || head[1] != 'M') {
        error = QStringLiteral("BMP のヘッダーが不正です。");
        return false;
    }
    const quint32 headerSize = LittleEndian(head + 14, 4);
    if (headerSize == 12) {
        if (!ReadExact(in, head + 18, 4)) {
            error = QStringLiteral("BMP のヘッダーが途中で終わっています。");
            return false;
        }
        header.width = static_cast<int>(LittleEndian(head + 18, 2));
        header.height = static_cast<int>(LittleEndian(head + 20, 2));
        return true;
    }
    if (headerSize < 16 || headerSize > 4096) {
        error = QStringLiteral("BMP のヘッダーサイズ %1 は扱えません。").arg(headerSize);
        return false;
    }
    if (!ReadExact(in, head + 18, 8)) {
        error = QStringLiteral("BMP のヘッダーが途中で終わっています。");
        return false;
    }
    const auto width = static_cast<qint32>(LittleEndian(head + 18, 4));
    const auto height = static_cast<qint32>(LittleEndian(head + 22, 4));
    header.width = width;
    // A negative height marks rows stored top-down; the picture is as tall either way.
    header.height = height == INT32_MIN ? -1 : (height < 0 ? -height : height);
    return true;
}

bool ReadTiffHeader(const QString& path, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Tiff};
    const TiffHandle tiff = OpenTiff(path, error);
    if (!tiff) {
        return false;
    }
    uint32_t width = 0;
    uint32_t height = 0;
    if (!TIFFGetField(tiff->Tiff(), TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff->Tiff(), TIFFTAG_IMAGELENGTH, &height)) {
        error = QStringLiteral("TIFF の画像サイズがありません。");
        return false;
    }
    header.width = width > 0x7FFFFFFFu ? -1 : static_cast<int>(width);
    header.height = height > 0x7FFFFFFFu ? -1 : static_cast<int>(height);
    return true;
}

void CheckPictureSize(const QString& path, qint64 width, qint64 height) {
    if (width <= 0 || height <= 0) {
        ThrowPictureError(
            path, QStringLiteral("画像サイズ (%1 x %2) が不正です。").arg(width).arg(height));
    }
    if (width > MaxPictureSide || height > MaxPictureSide || width * height * 4 > MaxPictureBytes) {
        ThrowPictureError(
            path, QStringLiteral("画像サイズ (%1 x %2) が大きすぎます。").arg(width).arg(height));
    }
}

PictureHeader ReadPictureHeader(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowPictureError(path, file.errorString());
    }
    const PictureFormat format = FormatOf(SniffFormat(file.peek(SniffBytes)), ExtractExt(path));
    PictureHeader header;
    QString error;
    bool ok = false;
    switch (format) {
    case PictureFormat::Jpeg:
        ok = ReadJpegHeader(file, header, error);
        break;
    case PictureFormat::Png:
        ok = ReadPngHeader(file, header, error);
        break;
    case PictureFormat::Bmp:
        ok = ReadBmpHeader(file, header, error);
        break;
    case PictureFormat::Tiff:
        file.close();
        ok = ReadTiffHeader(path, header, error);
        break;
    case PictureFormat::WebP:
        ok = ReadWebpHeader(file, header, error);
        break;
    case PictureFormat::Heif:
        file.close();
        ok = ReadHeifHeader(path, header, error);
        break;
    case PictureFormat::Raw:
        file.close();
        ok = ReadRawHeader(path, header, error);
        break;
    case PictureFormat::Unknown:
        error = QStringLiteral("画像の形式がわかりません。");
        break;
    }
    if (!ok) {
        ThrowPictureError(path, error);
    }
    CheckPictureSize(path, header.width, header.height);
    return header;
}

} // namespace mirte
