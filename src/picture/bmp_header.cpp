#include "bmp_header.h"

#include "header_bytes.h"

#include <QCoreApplication>
#include <cstdint>

namespace mirte {

bool ReadBmpHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Bmp};
    unsigned char head[26];
    if (!ReadExact(in, head, 18) || head[0] != 'B' || head[1] != 'M') {
        error = QCoreApplication::translate("PictureErrors", "BMP のヘッダーが不正です。");
        return false;
    }
    const quint32 headerSize = LittleEndian(head + 14, 4);
    if (headerSize == 12) {
        if (!ReadExact(in, head + 18, 4)) {
            error = QCoreApplication::translate("PictureErrors",
                                                "BMP のヘッダーが途中で終わっています。");
            return false;
        }
        header.width = static_cast<int>(LittleEndian(head + 18, 2));
        header.height = static_cast<int>(LittleEndian(head + 20, 2));
        return true;
    }
    if (headerSize < 16 || headerSize > 4096) {
        error =
            QCoreApplication::translate("PictureErrors", "BMP のヘッダーサイズ %1 は扱えません。")
                .arg(headerSize);
        return false;
    }
    if (!ReadExact(in, head + 18, 8)) {
        error =
            QCoreApplication::translate("PictureErrors", "BMP のヘッダーが途中で終わっています。");
        return false;
    }
    const auto width = static_cast<qint32>(LittleEndian(head + 18, 4));
    const auto height = static_cast<qint32>(LittleEndian(head + 22, 4));
    header.width = width;
    // A negative height marks rows stored top-down; the picture is as tall either way.
    header.height = height == INT32_MIN ? -1 : (height < 0 ? -height : height);
    return true;
}

} // namespace mirte
