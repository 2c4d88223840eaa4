#include "bmp_decoder.h"

#include "dib_internal.h"
#include "dib_pixels.h"
#include "dib_rle.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace mirte {

namespace {

// Reads a BMP from a file or from memory with bounds-checked positioned reads.
class Source {
public:
    virtual ~Source() = default;
    virtual qint64 Size() const = 0;
    // Copies up to `length` bytes at `at`; returns how many there were.
    virtual qint64 ReadAt(qint64 at, std::uint8_t* into, qint64 length) = 0;
};

class MemorySource : public Source {
public:
    explicit MemorySource(QByteArrayView bytes) : m_bytes(bytes) {}
    qint64 Size() const override { return m_bytes.size(); }
    qint64 ReadAt(qint64 at, std::uint8_t* into, qint64 length) override {
        if (at < 0 || at >= m_bytes.size() || length <= 0) {
            return 0; // nothing to copy (and `into` may be null then)
        }
        const qint64 n = std::min(length, m_bytes.size() - at);
        std::memcpy(into, m_bytes.data() + at, std::size_t(n));
        return n;
    }

private:
    QByteArrayView m_bytes;
};

class FileSource : public Source {
public:
    explicit FileSource(QFile& file) : m_file(file) {}
    qint64 Size() const override { return m_file.size(); }
    qint64 ReadAt(qint64 at, std::uint8_t* into, qint64 length) override {
        if (at < 0 || !m_file.seek(at)) {
            return 0;
        }
        return std::max<qint64>(0, m_file.read(reinterpret_cast<char*>(into), length));
    }

private:
    QFile& m_file;
};

struct Layout {
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bits = 0;
    quint32 compression = 0;
    qint64 dataOffset = 0;
    std::vector<std::array<std::uint8_t, 3>> palette; // RGB
    TDibChannel red, green, blue;
};

// `why`: a text marked with QT_TRANSLATE_NOOP("PictureErrors", ...).
[[noreturn]] void Fail(const QString& name, const char* why) {
    ThrowPictureError(name, QCoreApplication::translate("PictureErrors", why));
}

Layout ReadLayout(Source& in, const QString& name) {
    std::uint8_t head[14 + 124] = {};
    if (in.ReadAt(0, head, 18) < 18 || head[0] != 'B' || head[1] != 'M') {
        Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP のヘッダーが不正です。"));
    }
    const quint32 headerSize = DibU32(head + 14);
    const bool core = headerSize == 12;
    if (!core && (headerSize < 16 || headerSize > 124)) {
        Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP のヘッダーサイズが不正です。"));
    }
    if (in.ReadAt(14, head + 14, headerSize) < headerSize) {
        Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP のヘッダーが途中で終わっています。"));
    }
    Layout layout;
    const std::uint8_t* h = head + 14;
    int paletteEntrySize = 4;
    quint32 colorsUsed = 0;
    if (core) {
        layout.width = DibU16(h + 4);
        layout.height = DibU16(h + 6);
        layout.bits = static_cast<int>(DibU16(h + 10));
        paletteEntrySize = 3;
    } else {
        layout.width = static_cast<qint32>(DibU32(h + 4));
        const qint64 height = static_cast<qint32>(DibU32(h + 8));
        layout.topDown = height < 0;
        layout.height = height < 0 ? -height : height;
        layout.bits = static_cast<int>(DibU16(h + 14));
        layout.compression = headerSize >= 20 ? DibU32(h + 16) : 0;
        colorsUsed = headerSize >= 36 ? DibU32(h + 32) : 0;
    }
    CheckPictureSize(name, layout.width, layout.height);
    if (layout.bits != 1 && layout.bits != 4 && layout.bits != 8 && layout.bits != 16 &&
        layout.bits != 24 && layout.bits != 32) {
        Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP のビット数は扱えません。"));
    }
    qint64 paletteAt = 14 + headerSize;
    // Bit fields: the masks sit in newer headers, or just after a 40-byte one.
    if (layout.compression == DibBitFields || layout.compression == DibAlphaBitFields) {
        std::uint8_t masks[12] = {};
        if (headerSize >= 52) {
            std::memcpy(masks, h + 40, 12);
        } else {
            if (in.ReadAt(paletteAt, masks, 12) < 12) {
                Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP のマスクがありません。"));
            }
            paletteAt += layout.compression == DibAlphaBitFields ? 16 : 12;
        }
        layout.red = TDibChannel(DibU32(masks));
        layout.green = TDibChannel(DibU32(masks + 4));
        layout.blue = TDibChannel(DibU32(masks + 8));
    } else if (layout.bits == 16) {
        layout.red = TDibChannel(0x7C00);
        layout.green = TDibChannel(0x03E0);
        layout.blue = TDibChannel(0x001F);
    } else if (layout.bits == 32) {
        layout.red = TDibChannel(0xFF0000);
        layout.green = TDibChannel(0x00FF00);
        layout.blue = TDibChannel(0x0000FF);
    }
    const quint32 c = layout.compression;
    const bool fields = c == DibBitFields || c == DibAlphaBitFields;
    if ((c == DibRle8 && layout.bits != 8) || (c == DibRle4 && layout.bits != 4) ||
        (fields && layout.bits != 16 && layout.bits != 32) ||
        (c != DibRgb && c != DibRle8 && c != DibRle4 && !fields)) {
        Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP の圧縮形式は扱えません。"));
    }
    layout.dataOffset = DibU32(head + 10);
    if (layout.bits <= 8) {
        qint64 count = colorsUsed == 0 ? (qint64{1} << layout.bits) : qint64{colorsUsed};
        count =
            std::min<qint64>(count, qint64{1} << layout.bits); // never more than the depth holds
        // A palette may not run into the pixels.
        if (layout.dataOffset > paletteAt) {
            count = std::min<qint64>(count, (layout.dataOffset - paletteAt) / paletteEntrySize);
        }
        std::vector<std::uint8_t> table(std::size_t(count) * paletteEntrySize);
        count = in.ReadAt(paletteAt, table.data(), qint64(table.size())) / paletteEntrySize;
        layout.palette.resize(std::size_t(1) << layout.bits, {0, 0, 0});
        for (qint64 i = 0; i < count; ++i) {
            const std::uint8_t* e = table.data() + i * paletteEntrySize;
            layout.palette[i] = {e[2], e[1], e[0]};
        }
        if (layout.dataOffset < paletteAt) {
            layout.dataOffset = paletteAt + count * paletteEntrySize;
        }
    } else if (layout.dataOffset < paletteAt) {
        layout.dataOffset = paletteAt;
    }
    return layout;
}

// Turns one stored row (or one row of palette indices, for RLE) into RGB.
void RowToRgb(const Layout& l, const std::uint8_t* in, std::uint8_t* out, bool indices) {
    const qint64 w = l.width;
    if (indices || l.bits == 8) {
        for (qint64 x = 0; x < w; ++x, out += 3) {
            std::memcpy(out, l.palette[in[x]].data(), 3);
        }
    } else if (l.bits == 4) {
        for (qint64 x = 0; x < w; ++x, out += 3) {
            std::memcpy(out, l.palette[(in[x / 2] >> ((x & 1) ? 0 : 4)) & 0xF].data(), 3);
        }
    } else if (l.bits == 1) {
        for (qint64 x = 0; x < w; ++x, out += 3) {
            std::memcpy(out, l.palette[(in[x / 8] >> (7 - (x & 7))) & 1].data(), 3);
        }
    } else if (l.bits == 24) {
        for (qint64 x = 0; x < w; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    } else {
        const int bytes = l.bits / 8;
        for (qint64 x = 0; x < w; ++x, in += bytes, out += 3) {
            const quint32 pixel = bytes == 2 ? DibU16(in) : DibU32(in);
            out[0] = l.red(pixel);
            out[1] = l.green(pixel);
            out[2] = l.blue(pixel);
        }
    }
}

void Decode(Source& in, const QString& name, RowSink& sink) {
    const Layout l = ReadLayout(in, name);
    const int width = static_cast<int>(l.width);
    const int height = static_cast<int>(l.height);
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3);
    sink.Begin(width, height);
    if (l.compression == DibRle8 || l.compression == DibRle4) {
        std::vector<std::uint8_t> data(std::size_t(std::max<qint64>(0, in.Size() - l.dataOffset)));
        data.resize(std::size_t(in.ReadAt(l.dataOffset, data.data(), qint64(data.size()))));
        if (!DibRleCanPaint(l.width, l.height, qint64(data.size()))) {
            Fail(name, QT_TRANSLATE_NOOP("PictureErrors",
                                         "BMP の圧縮データが画像の大きさに足りません。"));
        }
        QImage indices(width, height, QImage::Format_Indexed8); // lines from the top
        if (indices.isNull()) {
            Fail(name, QT_TRANSLATE_NOOP("PictureErrors", "BMP の画像が大きすぎます。"));
        }
        indices.fill(0);
        DecodeDibRle(QByteArrayView(data.data(), qsizetype(data.size())), l.compression == DibRle4,
                     l.topDown, indices);
        for (int y = 0; y < height; ++y) {
            RowToRgb(l, indices.constScanLine(y), rgb.data(), true);
            sink.Row(rgb.data());
        }
        return;
    }
    const qint64 stride = ((l.width * l.bits + 31) / 32) * 4;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride));
    const std::vector<std::uint8_t> black(rgb.size(), 0);
    for (int y = 0; y < height; ++y) {
        const int stored = l.topDown ? y : height - 1 - y;
        const qint64 got = in.ReadAt(l.dataOffset + stored * stride, row.data(), stride);
        if (got == 0) {
            sink.Row(black.data()); // a short file: what is missing is black
            continue;
        }
        std::fill(row.begin() + got, row.end(), 0);
        RowToRgb(l, row.data(), rgb.data(), false);
        sink.Row(rgb.data());
    }
}

} // namespace

void DecodeBmpBytes(QByteArrayView bytes, const QString& name, RowSink& sink) {
    MemorySource source(bytes);
    Decode(source, name, sink);
}

void DecodeBmp(const QString& path, RowSink& sink) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowPictureError(path, FileFault(file));
    }
    FileSource source(file);
    Decode(source, path, sink);
}

} // namespace mirte
