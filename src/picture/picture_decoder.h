#pragma once

#include "picture_header.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace mirte {

// Decodes a picture straight to `upright` (the size it is to have when shown upright), the only
// full pass over its pixels: JPEGs (and camera RAW previews) at the DCT scale that covers the
// size, WebP scaled by libwebp, every format row by row through an area-averaging scaler, then
// turned upright by its EXIF orientation (HEIF is turned by libheif as it decodes).
// Raises EPictureError for a file that cannot be decoded.
QImage DecodePictureTo(const QString& path, const PictureHeader& header, QSize upright);

} // namespace mirte
