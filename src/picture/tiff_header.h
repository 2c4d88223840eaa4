#pragma once

#include "picture_error.h"
#include "picture_header_fields.h"

#include <QString>

namespace mirte {

// A TIFF file's size from its first directory, through libtiff (which opens the file itself);
// false with the reason (and libtiff's words) on failure.
bool ReadTiffHeader(const QString& path, PictureHeader& header, TPictureFault& fault);

} // namespace mirte
