#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstdint>

namespace mirte::test {

// JPEG files that carry smaller images of themselves, as cameras write them.

struct MpfOptions {
    std::int64_t offset = -1;           // the preview entry's offset; -1: where it was appended
    std::int64_t size = -1;             // its size; -1: the preview's
    std::uint32_t attribute = 0x010002; // a large thumbnail (full HD class), JPEG
};
// The main JPEG with an MPF index (APP2) after its SOI, and `preview` appended after it.
QByteArray MakeMpfJpeg(const QByteArray& main, const QByteArray& preview,
                       const MpfOptions& options = {});

// The JPEG with `thumbnail` written as its EXIF thumbnail by exiftool.
QByteArray WithExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail);

// The picture fitted into `box` between black bars.
QImage Letterboxed(const QImage& picture, QSize box, QRgb bars = qRgb(0, 0, 0));

} // namespace mirte::test
