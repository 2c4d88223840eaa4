#pragma once

#include <QtGlobal>
#include <bit>
#include <cstdint>

namespace mirte {

// What the two BMP readers share below their headers (the picture decoder's and
// TDibGraphic's, whose errors differ): little-endian numbers, bit-field channels and the
// limit on what run-length data can claim. The run-length expansion itself is DecodeDibRle.

inline quint16 DibU16(const std::uint8_t* p) {
    return quint16(p[0] | (p[1] << 8));
}
inline quint32 DibU32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

// One colour channel of a 16- or 32-bit pixel given by its mask, scaled to 0..255; an empty
// mask reads as 0.
class TDibChannel {
public:
    explicit TDibChannel(quint32 mask = 0)
        : m_mask(mask), m_shift(mask == 0 ? 0 : std::countr_zero(mask)),
          m_max(mask == 0 ? 0 : mask >> m_shift) {}

    std::uint8_t operator()(quint32 pixel) const {
        return m_max == 0 ? 0 : std::uint8_t(quint64((pixel & m_mask) >> m_shift) * 255 / m_max);
    }

private:
    quint32 m_mask;
    int m_shift;
    quint32 m_max;
};

// The most pixels run-length data of this many bytes can paint: 255 for every two bytes. A
// picture claiming more than that (plus a row) from its data is refused before its pixels are
// allocated, as a tiny file must not make the reader allocate gigabytes.
inline bool DibRleCanPaint(qint64 width, qint64 height, qint64 dataBytes) {
    return width * height <= (dataBytes / 2 + 1) * 255 + width;
}

} // namespace mirte
