#include "jpeg_header.h"

#include "exif_reader.h"
#include "header_bytes.h"
#include "jpeg_markers.h"

#include <QCoreApplication>

namespace mirte {

namespace {

bool IsStartOfFrame(unsigned code) {
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

} // namespace

bool ReadJpegHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Jpeg};
    TJpegMarkers markers(in);
    if (!markers.Start()) {
        error = QCoreApplication::translate("PictureErrors", "JPEG の開始マーカーがありません。");
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
    error =
        QCoreApplication::translate("PictureErrors", "JPEG のフレームヘッダーが見つかりません。");
    return false;
}

} // namespace mirte
