#pragma once

#include "picture_fixtures.h"

#include <QByteArray>
#include <QImage>

namespace mirte::test {

// Samples of today's formats, made at run time by Debian's own tools and libraries.

struct HeifOptions {
    bool avif = false;
    bool tenBit = false;  // from a 16-bit PNG, as heif-enc -b 10 takes it
    bool alpha = false;   // the picture's own alpha channel kept
    ExifFields exif = {}; // an Exif item when dateTime is set
    int thumbnail = 0;    // a thumbnail image of this size made by heif-enc -t
};
// A HEIC (or AVIF) of the picture made by heif-enc.
QByteArray MakeHeif(const QImage& image, const HeifOptions& options);
// A HEIC made through libheif's encoder, for what heif-enc cannot make: a picture stored with
// irot/imir boxes for an EXIF `orientation`, a thumbnail image of its own (`thumbnail`, scaled
// by libheif to its longer side) and an Exif item (when exif.dateTime is set).
struct LibheifOptions {
    int orientation = 1;
    QImage thumbnail{};
    ExifFields exif = {};
    bool thumbnailAsIs = false; // the thumbnail keeps its own proportions and its bars
};
QByteArray MakeHeifWithLibheif(const QImage& picture, const LibheifOptions& sample);

// A clean aperture ('clap') box: the part `width` x `height` whose centre lies (`dx`, `dy`) from
// the picture's centre, every number over `denominator`.
QByteArray CleanApertureBox(int width, int height, int dx, int dy, int denominator = 1);
// The HEIF file with `property` added to the properties of its primary item (or of every other
// image item, its thumbnails), after theirs or before them: the box appended to 'ipco', its
// index to the items' 'ipma' entries, the boxes around them grown and the item data moved.
QByteArray AddHeifProperty(const QByteArray& heif, const QByteArray& property,
                           bool thumbnails = false, bool first = false);

struct WebpOptions {
    bool lossless = false;
    ExifFields exif = {}; // an EXIF chunk when dateTime is set (cwebp -metadata exif)
    QImage secondFrame{}; // an animation of two frames (img2webp) when set
};
// A WebP made by cwebp (alpha kept when the picture has it) or img2webp.
QByteArray MakeWebp(const QImage& image, const WebpOptions& options);

struct DngOptions {
    QImage preview{};     // a JPEG preview in the first directory when set
    ExifFields exif = {}; // DateTime in the first directory, DateTimeOriginal in the Exif one
    int orientation = 1;
    bool losslessJpeg = false; // the sensor's data compressed as cameras do (lossless JPEG)
};
// A DNG written with libtiff: the sensor's colour filter array (RGGB, 16 bits) made from the
// picture, the preview, the turn and the dates.
QByteArray MakeDng(const QImage& sensor, const DngOptions& options);

struct TiffRawOptions {
    bool bigEndian = false;
    // TIFF's 42; 0x55 for Panasonic's RW2, 0x4F52 and 0x5352 for Olympus' ORF ("IIRO", "IIRS").
    int magic = 42;
    // DateTime and Orientation in the first directory, DateTimeOriginal in the Exif directory.
    ExifFields exif = {};
    QImage preview{};      // a JPEG preview (the first directory's JPEGInterchangeFormat) when set
    bool inJpeg = false;   // the preview as RW2 embeds it (JpgFromRaw), the dates in its own EXIF
    QImage sensor{};       // raw data (16-bit colour filter array) in a sub-directory when set
    bool cutShort = false; // the raw data cut short: LibRaw reads the file, cannot develop it
};
// A camera RAW file laid out as TIFF, by a camera ("Mirte") LibRaw does not know; without raw
// data LibRaw does not read it at all.
QByteArray MakeTiffRaw(const TiffRawOptions& options);

} // namespace mirte::test
