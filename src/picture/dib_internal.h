#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace mirte {

// Compression values of the header.
constexpr quint32 DibRgb = 0;            // plain rows
constexpr quint32 DibRle8 = 1;           // 8 bits, run-length compressed
constexpr quint32 DibRle4 = 2;           // 4 bits, run-length compressed
constexpr quint32 DibBitFields = 3;      // 16 or 32 bits with three masks
constexpr quint32 DibAlphaBitFields = 6; // the same with a fourth (alpha) mask

constexpr qint64 DibFileHeaderSize = 14;
constexpr qint64 DibInfoHeaderSize = 40;
constexpr qint64 DibCoreHeaderSize = 12;
constexpr qint32 DibDefaultPelsPerMeter = 3780; // 96 dots per inch
constexpr int DibMaxColors = 256;
// Images whose rows would take more bytes than this are refused before anything is allocated.
constexpr qint64 DibMaxPixelBytes = qint64{1} << 31;

// The 40-byte bitmap-info header, field for field.
struct TBitmapInfoHeader {
    quint32 biSize = DibInfoHeaderSize;
    qint32 biWidth = 1;
    qint32 biHeight = 1; // negative when the rows are stored top-down
    quint16 biPlanes = 1;
    quint16 biBitCount = 8;
    quint32 biCompression = DibRgb;
    quint32 biSizeImage = 0;
    qint32 biXPelsPerMeter = DibDefaultPelsPerMeter;
    qint32 biYPelsPerMeter = DibDefaultPelsPerMeter;
    quint32 biClrUsed = 0;
    quint32 biClrImportant = 0;
};

// One colour table entry in file order.
struct TRgbQuad {
    quint8 rgbBlue = 0;
    quint8 rgbGreen = 0;
    quint8 rgbRed = 0;
    quint8 rgbReserved = 0;

    friend bool operator==(const TRgbQuad&, const TRgbQuad&) = default;
};

// The image behind a TDibGraphic: header, colour table and pixel rows, each row padded to
// 4 bytes, in the header's row order (or the compressed data of an RLE image). Copies of a
// TDibGraphic share one; the holder changes it only while it is the sole owner.
struct TInternalDib {
    TBitmapInfoHeader header;
    QList<TRgbQuad> colors; // biClrUsed entries, at most DibMaxColors
    QByteArray pixels;      // biSizeImage bytes

    qint64 Width() const { return header.biWidth; }
    qint64 Height() const {
        return header.biHeight < 0 ? -qint64{header.biHeight} : header.biHeight;
    }
    bool IsTopDown() const { return header.biHeight < 0; }
    bool IsCompressed() const {
        return header.biCompression == DibRle8 || header.biCompression == DibRle4;
    }
    qint64 RowBytes() const;
    // The stored row that shows as line y, counted from the top.
    qint64 StoredRow(qint64 y) const { return IsTopDown() ? y : Height() - 1 - y; }
};

// Bytes of a row of width pixels at bitCount bits per pixel, padded to 4 bytes.
constexpr qint64 DibRowBytes(qint64 width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// The bytes of rows padded rows of width pixels; -1 when beyond DibMaxPixelBytes.
qint64 DibImageBytes(qint64 width, qint64 rows, int bitCount);

// 2, 16 or 256 for 1, 4 and 8 bits; 0 for deeper images, which have no colour table.
int DibFullColorCount(int bitCount);

// A zeroed image of width x height (negative: top-down) at 1, 4, 8 or 24 bits with the full
// colour table (all black) and 3780 pixels per metre. Raises EDibInvalidDibPara when the size is
// not positive or beyond DibMaxPixelBytes.
TInternalDib MakeDib(qint64 width, qint64 height, int bitCount);

} // namespace mirte
