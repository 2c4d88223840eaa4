#pragma once

// The header's fields, the size limits and the readers of one format come with this header, for
// the callers that read a known format.
#include "bmp_header.h"
#include "jpeg_header.h"
#include "picture_format.h"
#include "picture_header_fields.h"
#include "picture_limits.h"
#include "png_header.h"
#include "tiff_header.h"

#include <QString>

namespace mirte {

// Reads the header of a picture file (the format from its first bytes, else its extension).
// Raises EPictureError for a file that cannot be opened, an unknown format, a damaged header,
// or a size of 0 or beyond the limits (picture_limits.h).
PictureHeader ReadPictureHeader(const QString& path);

} // namespace mirte
