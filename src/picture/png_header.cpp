#include "png_header.h"

#include "header_bytes.h"

#include <QCoreApplication>

namespace mirte {

bool ReadPngHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::Png};
    unsigned char head[24];
    if (!ReadExact(in, head, 24) ||
        QByteArrayView(head, 8) != QByteArrayView("\x89PNG\r\n\x1A\n") ||
        QByteArrayView(head + 12, 4) != QByteArrayView("IHDR")) {
        error = QCoreApplication::translate("PictureErrors", "PNG のヘッダーが不正です。");
        return false;
    }
    const quint32 width = BigEndian(head + 16, 4);
    const quint32 height = BigEndian(head + 20, 4);
    header.width = width > 0x7FFFFFFFu ? -1 : static_cast<int>(width);
    header.height = height > 0x7FFFFFFFu ? -1 : static_cast<int>(height);
    return true;
}

} // namespace mirte
