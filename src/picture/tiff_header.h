#pragma once

#include "picture_header_fields.h"

#include <QString>

namespace mirte {

// A TIFF file's size from its first directory, through libtiff (which opens the file itself);
// false with libtiff's reason on failure.
bool ReadTiffHeader(const QString& path, PictureHeader& header, QString& error);

} // namespace mirte
