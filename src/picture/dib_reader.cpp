#include "dib_reader.h"

#include "dib_errors.h"
#include "dib_pixels.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <bit>

namespace mirte {

namespace {

constexpr qint64 ChunkBytes = qint64{1} << 20;
// Pipes and sockets may deliver later than asked; a stream silent this long counts as ended.
constexpr int ReadWaitMs = 30000;

constexpr char ShortHeader[] = "TInternalDib.LoadFromStream: Header is short";
constexpr char ShortPixels[] = "TInternalDib.LoadFromStream: Pixel data is short";

[[noreturn]] void ThrowInvalidDib(const char* message) {
    throw EDibInvalidDib(QString::fromLatin1(message));
}

[[noreturn]] void ThrowInvalidFile(const char* message) {
    throw EDibInvalidDibFile(QString::fromLatin1(message));
}

// Reads from a device, counts the bytes taken and never allocates more than the device has
// delivered (or, when it knows its size, can still deliver).
class TDibSource {
public:
    explicit TDibSource(QIODevice& in) : m_in(in) {}

    qint64 Consumed() const { return m_consumed; }

    // Up to n bytes; fewer only when the stream ends.
    QByteArray ReadUpTo(qint64 n) {
        QByteArray bytes;
        const qint64 left = Remaining();
        if (left >= 0) {
            n = std::min(n, left);
            bytes.reserve(n);
        }
        while (bytes.size() < n) {
            const qint64 old = bytes.size();
            const qint64 want = std::min(ChunkBytes, n - old);
            if (bytes.capacity() < old + want) {
                bytes.reserve(std::min(n, std::max(old + want, 2 * old)));
            }
            bytes.resize(old + want);
            const qint64 got = std::max<qint64>(m_in.read(bytes.data() + old, want), 0);
            bytes.resize(old + got);
            m_consumed += got;
            if (got == 0 && !m_in.waitForReadyRead(ReadWaitMs)) {
                break;
            }
        }
        return bytes;
    }

    // Exactly n bytes; raises EDibInvalidDibFile with the message when the stream ends first.
    QByteArray Read(qint64 n, const char* shortMessage) {
        const qint64 left = Remaining();
        if (left >= 0 && left < n) {
            ThrowInvalidFile(shortMessage);
        }
        QByteArray bytes = ReadUpTo(n);
        if (bytes.size() < n) {
            ThrowInvalidFile(shortMessage);
        }
        return bytes;
    }

    void Skip(qint64 n, const char* shortMessage) {
        const qint64 left = Remaining();
        if (left >= 0) {
            if (left < n || !m_in.seek(m_in.pos() + n)) {
                ThrowInvalidFile(shortMessage);
            }
            m_consumed += n;
            return;
        }
        while (n > 0) {
            const QByteArray bytes = ReadUpTo(std::min(n, ChunkBytes));
            if (bytes.isEmpty()) {
                ThrowInvalidFile(shortMessage);
            }
            n -= bytes.size();
        }
    }

private:
    // -1 when the device cannot tell (pipes, sockets).
    qint64 Remaining() const {
        return m_in.isSequential() ? -1 : std::max<qint64>(m_in.size() - m_in.pos(), 0);
    }

    QIODevice& m_in;
    qint64 m_consumed = 0;
};

const std::uint8_t* At(const QByteArray& bytes, qsizetype at) {
    return reinterpret_cast<const std::uint8_t*>(bytes.constData()) + at;
}
quint16 U16(const QByteArray& bytes, qsizetype at) {
    return DibU16(At(bytes, at));
}
quint32 U32(const QByteArray& bytes, qsizetype at) {
    return DibU32(At(bytes, at));
}
qint32 S32(const QByteArray& bytes, qsizetype at) {
    return qint32(DibU32(At(bytes, at)));
}

// Colour entries of 4 bytes (40-byte header) or 3 bytes (core header), blue first.
QList<TRgbQuad> ReadColors(TDibSource& source, qint64 count, int entryBytes) {
    const QByteArray bytes = source.Read(count * entryBytes, ShortHeader);
    QList<TRgbQuad> colors(count);
    for (qint64 i = 0; i < count; ++i) {
        const char* entry = bytes.constData() + i * entryBytes;
        colors[i] = TRgbQuad{quint8(entry[0]), quint8(entry[1]), quint8(entry[2]), 0};
    }
    return colors;
}

void CheckCompression(const TBitmapInfoHeader& header) {
    const int bits = header.biBitCount;
    switch (header.biCompression) {
    case DibRgb:
        return;
    case DibRle8:
        if (bits == 8) {
            return;
        }
        break;
    case DibRle4:
        if (bits == 4) {
            return;
        }
        break;
    case DibBitFields:
        if (bits == 16 || bits == 32) {
            return;
        }
        break;
    default:
        break;
    }
    ThrowInvalidDib("TInternalDib.LoadFromStream: Invalid Compression");
}

// masks: red, green, blue; none of them zero.
QByteArray ConvertTo24(const QByteArray& raw, qint64 width, qint64 rows, int bits,
                       const std::array<quint32, 3>& masks) {
    const qint64 sourceRow = DibRowBytes(width, bits);
    const qint64 targetRow = DibRowBytes(width, 24);
    const TDibChannel red(masks[0]);
    const TDibChannel green(masks[1]);
    const TDibChannel blue(masks[2]);
    QByteArray converted(targetRow * rows, '\0');
    for (qint64 row = 0; row < rows; ++row) {
        const char* source = raw.constData() + row * sourceRow;
        auto* target = reinterpret_cast<uchar*>(converted.data() + row * targetRow);
        for (qint64 x = 0; x < width; ++x) {
            const auto* at = reinterpret_cast<const std::uint8_t*>(source) + x * (bits / 8);
            const quint32 pixel = bits == 16 ? DibU16(at) : DibU32(at);
            target[3 * x] = blue(pixel);
            target[3 * x + 1] = green(pixel);
            target[3 * x + 2] = red(pixel);
        }
    }
    return converted;
}

} // namespace

TInternalDib ReadDib(QIODevice& in) {
    TDibSource source(in);
    const QByteArray fileHeader = source.ReadUpTo(DibFileHeaderSize);
    if (fileHeader.size() >= 2 && !fileHeader.startsWith("BM")) {
        ThrowInvalidFile("TInternalDib.LoadFromFile: File type is invalid");
    }
    if (fileHeader.size() < DibFileHeaderSize) {
        ThrowInvalidFile(ShortHeader);
    }
    const qint64 offBits = U32(fileHeader, 10);

    TInternalDib dib;
    TBitmapInfoHeader& header = dib.header;
    std::array<quint32, 3> masks{};
    bool fileMasks = false;
    const quint32 headerSize = U32(source.Read(4, ShortHeader), 0);
    if (headerSize == DibInfoHeaderSize) {
        const QByteArray bytes = source.Read(DibInfoHeaderSize - 4, ShortHeader);
        header.biWidth = S32(bytes, 0);
        header.biHeight = S32(bytes, 4);
        header.biPlanes = U16(bytes, 8);
        header.biBitCount = U16(bytes, 10);
        header.biCompression = U32(bytes, 12);
        header.biSizeImage = U32(bytes, 16);
        header.biXPelsPerMeter = S32(bytes, 20);
        header.biYPelsPerMeter = S32(bytes, 24);
        header.biClrUsed = U32(bytes, 28);
        header.biClrImportant = U32(bytes, 32);
        if (header.biXPelsPerMeter == 0) {
            header.biXPelsPerMeter = DibDefaultPelsPerMeter;
        }
        if (header.biYPelsPerMeter == 0) {
            header.biYPelsPerMeter = DibDefaultPelsPerMeter;
        }
        const int bits = header.biBitCount;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
            ThrowInvalidDib("TInternalDib.LoadFromStream: Invalid BitCout");
        }
        CheckCompression(header);
        fileMasks = header.biCompression == DibBitFields;
        const qint64 colorCount =
            header.biClrUsed != 0 ? qint64{header.biClrUsed} : DibFullColorCount(bits);
        const qint64 masksBytes = fileMasks ? 12 : 0;
        if (offBits < DibFileHeaderSize + DibInfoHeaderSize + masksBytes + 4 * colorCount) {
            ThrowInvalidDib("TInternalDib.LoadFromFile: bfOffBits is too small");
        }
        if (fileMasks) {
            const QByteArray maskBytes = source.Read(masksBytes, ShortHeader);
            masks = {U32(maskBytes, 0), U32(maskBytes, 4), U32(maskBytes, 8)};
        }
        // Entries past the first 256 are passed over by the skip to the pixel data below.
        dib.colors = ReadColors(source, std::min<qint64>(colorCount, DibMaxColors), 4);
    } else if (headerSize == DibCoreHeaderSize) {
        const QByteArray bytes = source.Read(DibCoreHeaderSize - 4, ShortHeader);
        header.biWidth = U16(bytes, 0);
        header.biHeight = U16(bytes, 2);
        header.biBitCount = U16(bytes, 6);
        const int bits = header.biBitCount;
        if (bits != 1 && bits != 4 && bits != 8 && bits != 24) {
            ThrowInvalidDib("TInternalDib.LoadFromStream: Invalid BitCount");
        }
        const qint64 colorCount = DibFullColorCount(bits);
        if (offBits < DibFileHeaderSize + DibCoreHeaderSize + 3 * colorCount) {
            ThrowInvalidDib("TInternalDib.LoadFromFile: bfOffBits is too small");
        }
        dib.colors = ReadColors(source, colorCount, 3);
    } else {
        ThrowInvalidDib("TInternalDib.LoadFromStream: Invalid Bitmap Header Size");
    }

    if (header.biWidth <= 0 || header.biHeight == 0) {
        ThrowInvalidDib("TInternalDib.LoadFromStream: Invalid Width or Height");
    }
    const int fileBits = header.biBitCount;
    const bool convert = fileBits == 16 || fileBits == 32;
    // 4-bit images show as 8 bits per pixel and 16-bit ones are held at 24 bits: the largest
    // of the forms must fit.
    const int largestBits = std::max(fileBits, fileBits == 4 ? 8 : fileBits == 16 ? 24 : 0);
    const qint64 width = dib.Width();
    const qint64 rows = dib.Height();
    if (DibImageBytes(width, rows, largestBits) < 0) {
        ThrowInvalidDib("TInternalDib.LoadFromStream: Image is too large");
    }
    if (convert && !fileMasks) {
        masks = fileBits == 16 ? std::array<quint32, 3>{0x7C00, 0x03E0, 0x001F}
                               : std::array<quint32, 3>{0xFF0000, 0x00FF00, 0x0000FF};
    }
    if (convert && (masks[0] == 0 || masks[1] == 0 || masks[2] == 0)) {
        ThrowInvalidDib("TInternalDib.LoadFromStream: Invalid Masks");
    }

    source.Skip(std::max<qint64>(offBits - source.Consumed(), 0), ShortPixels);
    if (dib.IsCompressed()) {
        const qint64 size = header.biSizeImage;
        if (size > DibMaxPixelBytes) {
            ThrowInvalidDib("TInternalDib.LoadFromStream: Image is too large");
        }
        // Without a size the compressed data runs to the end of the stream.
        dib.pixels =
            size > 0 ? source.Read(size, ShortPixels) : source.ReadUpTo(DibMaxPixelBytes + 1);
        if (dib.pixels.size() > DibMaxPixelBytes) {
            ThrowInvalidDib("TInternalDib.LoadFromStream: Image is too large");
        }
        if (dib.pixels.isEmpty()) {
            ThrowInvalidFile(ShortPixels);
        }
        if (!DibRleCanPaint(width, rows, dib.pixels.size())) {
            ThrowInvalidDib("TInternalDib.LoadFromStream: Image is too large");
        }
    } else {
        QByteArray raw = source.Read(DibImageBytes(width, rows, fileBits), ShortPixels);
        dib.pixels = convert ? ConvertTo24(raw, width, rows, fileBits, masks) : std::move(raw);
    }

    // The held header describes what is held, so that saving writes a consistent file.
    header.biSize = DibInfoHeaderSize;
    header.biPlanes = 1;
    if (convert) {
        header.biBitCount = 24;
        header.biCompression = DibRgb;
    }
    header.biSizeImage = static_cast<quint32>(dib.pixels.size());
    header.biClrUsed = static_cast<quint32>(dib.colors.size());
    header.biClrImportant = std::min(header.biClrImportant, header.biClrUsed);
    return dib;
}

} // namespace mirte
