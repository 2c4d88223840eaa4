#include "dib_convert.h"

#include "dib_errors.h"
#include "dib_rle.h"

#include <algorithm>
#include <cstring>

namespace mirte {

namespace {

// The colour table of a 1-, 4- or 8-bit image, cut or made up with black to the full count so
// that every index has a colour.
QList<QRgb> ColorTable(const TInternalDib& dib) {
    const int count = DibFullColorCount(dib.header.biBitCount);
    QList<QRgb> table(count, qRgb(0, 0, 0));
    // At most count, an int.
    const int known = static_cast<int>(std::min<qsizetype>(count, dib.colors.size()));
    for (int i = 0; i < known; ++i) {
        const TRgbQuad& color = dib.colors[i];
        table[i] = qRgb(color.rgbRed, color.rgbGreen, color.rgbBlue);
    }
    return table;
}

void CopyRows(const TInternalDib& dib, QImage& image) {
    const int bits = dib.header.biBitCount;
    const qint64 width = dib.Width();
    const qint64 rowBytes = dib.RowBytes();
    for (int y = 0; y < image.height(); ++y) {
        const auto* source =
            reinterpret_cast<const uchar*>(dib.pixels.constData()) + dib.StoredRow(y) * rowBytes;
        uchar* target = image.scanLine(y);
        switch (bits) {
        case 1:
            std::memcpy(target, source, std::min<qint64>(rowBytes, image.bytesPerLine()));
            break;
        case 4:
            for (qint64 x = 0; x < width; ++x) {
                const uchar pair = source[x / 2];
                target[x] = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            }
            break;
        case 8:
            std::memcpy(target, source, width);
            break;
        default: // 24 bits: blue, green, red, as BGR888 holds them too
            std::memcpy(target, source, width * 3);
            break;
        }
    }
}

QImage::Format ImageFormat(int bits) {
    switch (bits) {
    case 1:
        return QImage::Format_Mono;
    case 4:
    case 8:
        return QImage::Format_Indexed8;
    default:
        return QImage::Format_BGR888; // the file's byte order: rows copy as they are
    }
}

} // namespace

QImage DibToImage(const TInternalDib& dib) {
    const int bits = dib.header.biBitCount;
    QImage image(static_cast<int>(dib.Width()), static_cast<int>(dib.Height()), ImageFormat(bits));
    if (image.isNull()) {
        return {};
    }
    if (bits <= 8) {
        image.setColorTable(ColorTable(dib));
    }
    if (dib.IsCompressed()) {
        image.fill(0);
        DecodeDibRle(dib.pixels, dib.header.biCompression == DibRle4, dib.IsTopDown(), image);
    } else if (dib.pixels.size() >= dib.RowBytes() * dib.Height()) {
        CopyRows(dib, image);
    } else {
        return {}; // rows missing: an image built wrongly, never one read or assigned
    }
    if (dib.header.biXPelsPerMeter > 0) {
        image.setDotsPerMeterX(dib.header.biXPelsPerMeter);
    }
    if (dib.header.biYPelsPerMeter > 0) {
        image.setDotsPerMeterY(dib.header.biYPelsPerMeter);
    }
    return image;
}

TInternalDib DibFromImage(const QImage& image) {
    if (image.isNull()) {
        return MakeDib(1, 1, 8);
    }
    const QImage::Format format = image.format();
    const int bits = format == QImage::Format_Mono || format == QImage::Format_MonoLSB ? 1
                     : format == QImage::Format_Indexed8                               ? 8
                                                                                       : 24;
    // Made first: an image too large is refused before a converted copy of it is made.
    TInternalDib dib = MakeDib(image.width(), image.height(), bits);
    const QImage source = format == QImage::Format_MonoLSB
                              ? image.convertToFormat(QImage::Format_Mono)
                          : bits == 24 ? image.convertToFormat(QImage::Format_RGB888)
                                       : image;
    if (source.isNull()) {
        throw EDibCanvasFailed(QStringLiteral("TDibGraphic.Assign: Cannot convert the bitmap"));
    }
    if (bits <= 8) {
        const QList<QRgb> table = source.colorTable();
        const int full = DibFullColorCount(bits);
        const int count =
            table.isEmpty() ? full : static_cast<int>(std::min<qsizetype>(table.size(), full));
        dib.colors.resize(count);
        for (int i = 0; i < count; ++i) {
            // Without a table Qt shows the indexes as a grey ramp.
            const int level = i * 255 / (full - 1);
            const QRgb rgb = table.isEmpty() ? qRgb(level, level, level) : table[i];
            dib.colors[i] = TRgbQuad{quint8(qBlue(rgb)), quint8(qGreen(rgb)), quint8(qRed(rgb)), 0};
        }
        dib.header.biClrUsed = static_cast<quint32>(count);
    }
    const qint64 rowBytes = dib.RowBytes();
    const qint64 width = dib.Width();
    for (int y = 0; y < source.height(); ++y) {
        const uchar* line = source.constScanLine(y);
        auto* target = reinterpret_cast<uchar*>(dib.pixels.data()) + dib.StoredRow(y) * rowBytes;
        if (bits == 24) {
            for (qint64 x = 0; x < width; ++x) {
                target[3 * x] = line[3 * x + 2];
                target[3 * x + 1] = line[3 * x + 1];
                target[3 * x + 2] = line[3 * x];
            }
        } else {
            std::memcpy(target, line, bits == 1 ? (width + 7) / 8 : width);
        }
    }
    if (image.dotsPerMeterX() > 0) {
        dib.header.biXPelsPerMeter = image.dotsPerMeterX();
    }
    if (image.dotsPerMeterY() > 0) {
        dib.header.biYPelsPerMeter = image.dotsPerMeterY();
    }
    return dib;
}

} // namespace mirte
