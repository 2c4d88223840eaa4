#include "dib_internal.h"

#include "dib_errors.h"

#include <limits>

namespace mirte {

qint64 TInternalDib::RowBytes() const {
    return DibRowBytes(Width(), header.biBitCount);
}

qint64 DibImageBytes(qint64 width, qint64 rows, int bitCount) {
    // width < 2^31 and bitCount <= 32, so the row itself cannot overflow.
    const qint64 rowBytes = DibRowBytes(width, bitCount);
    if (width < 0 || rows < 0 || rowBytes > DibMaxPixelBytes) {
        return -1;
    }
    if (rowBytes > 0 && rows > DibMaxPixelBytes / rowBytes) {
        return -1;
    }
    return rowBytes * rows;
}

int DibFullColorCount(int bitCount) {
    return bitCount <= 8 ? 1 << bitCount : 0;
}

TInternalDib MakeDib(qint64 width, qint64 height, int bitCount) {
    const qint64 rows = height < 0 ? -height : height;
    const qint64 bytes = DibImageBytes(width, rows, bitCount);
    if (width <= 0 || rows == 0 || width > std::numeric_limits<qint32>::max() ||
        rows > std::numeric_limits<qint32>::max() || bytes < 0) {
        throw EDibInvalidDibPara(QStringLiteral("TInternalDib.Create: Invalid Width or Height"));
    }
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) {
        throw EDibInvalidDibPara(QStringLiteral("TInternalDib.Create: Invalid BitCount"));
    }
    TInternalDib dib;
    dib.header.biWidth = static_cast<qint32>(width);
    dib.header.biHeight = static_cast<qint32>(height);
    dib.header.biBitCount = static_cast<quint16>(bitCount);
    dib.header.biSizeImage = static_cast<quint32>(bytes);
    dib.header.biClrUsed = static_cast<quint32>(DibFullColorCount(bitCount));
    dib.colors.resize(dib.header.biClrUsed);
    dib.pixels = QByteArray(bytes, '\0');
    return dib;
}

} // namespace mirte
