#pragma once

#include "exif_reader.h"
#include "picture_format_enum.h"

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

} // namespace mirte
