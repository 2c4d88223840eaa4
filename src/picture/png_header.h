#pragma once

#include "picture_header_fields.h"

#include <QIODevice>
#include <QString>

namespace mirte {

// A PNG's size from its signature and IHDR chunk, read from the device's current position;
// false with a reason.
bool ReadPngHeader(QIODevice& in, PictureHeader& header, QString& error);

} // namespace mirte
