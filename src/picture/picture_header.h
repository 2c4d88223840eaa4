#pragma once

#include "exif_reader.h"
#include "picture_format.h"

#include <QIODevice>
#include <QString>

namespace mirte {

// What a picture file's header says, read without decoding a pixel.
struct PictureHeader {
    PictureFormat format = PictureFormat::Unknown;
    int width = 0; // as stored, before any EXIF orientation or turn of the file's own
    int height = 0;
    // EXIF orientation 1..8 (JPEG, WebP; a camera RAW's turn; 1 elsewhere). For HEIF, 6 when
    // libheif turns the picture by a quarter, else 1.
    int orientation = 1;
    // The decoder itself turns the picture upright (libheif applies HEIF's own turn and mirror).
    bool decoderTurns = false;
    bool progressive = false;
    // The file's EXIF dates when they were read with the header: a JPEG's EXIF block when one
    // came before the frame header (so that the facts need not walk the file again), and always
    // for HEIF, WebP and camera RAW files.
    bool exifSeen = false;
    TExifRecord exif{};
};

// Pictures larger than this are refused before anything of their size is allocated.
constexpr int MaxPictureSide = 99999;
constexpr qint64 MaxPictureBytes = qint64{1} << 31; // at 4 bytes per pixel

// Reads the header of a picture file (the format from its first bytes, else its extension).
// Raises EPictureError for a file that cannot be opened, an unknown format, a damaged header,
// or a size of 0 or beyond the limits above.
PictureHeader ReadPictureHeader(const QString& path);

// The per-format header parsers, for any readable device; false with a reason on failure.
bool ReadJpegHeader(QIODevice& in, PictureHeader& header, QString& error);
bool ReadPngHeader(QIODevice& in, PictureHeader& header, QString& error);
bool ReadBmpHeader(QIODevice& in, PictureHeader& header, QString& error);
bool ReadTiffHeader(const QString& path, PictureHeader& header, QString& error);

// Raises EPictureError when width x height is empty or beyond the limits.
void CheckPictureSize(const QString& path, qint64 width, qint64 height);

} // namespace mirte
