#pragma once

#include "picture_header.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace mirte {

// Decodes a picture straight to `upright` (the size it is to have when shown upright), the only
// full pass over its pixels: JPEGs at the DCT scale that covers the size, every format row by
// row through an area-averaging scaler, then turned upright by its EXIF orientation.
// Raises EPictureError for a file that cannot be decoded.
QImage DecodePictureTo(const QString& path, const PictureHeader& header, QSize upright);

} // namespace mirte
