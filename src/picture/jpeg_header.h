#pragma once

#include "picture_header_fields.h"

#include <QIODevice>
#include <QString>

namespace mirte {

// A JPEG's size and kind from its frame header, and the orientation and dates of an EXIF block
// that comes before it, read from the device's current position; false with a reason.
bool ReadJpegHeader(QIODevice& in, PictureHeader& header, QString& error);

} // namespace mirte
