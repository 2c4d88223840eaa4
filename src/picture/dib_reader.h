#pragma once

#include "dib_internal.h"

#include <QIODevice>

namespace mirte {

// Reads a bitmap file from the device's current position: the 14-byte file header, a 40-byte
// or a 12-byte header, the masks, the colour table and the pixel rows. 16- and 32-bit images
// come back converted to 24 bits; RLE images keep their compressed data.
// Raises EDibInvalidDibFile (not a bitmap file, ends early) or EDibInvalidDib (a header that
// describes no usable image). Sizes are checked against what the device can still deliver and
// against DibMaxPixelBytes before pixel memory is allocated.
TInternalDib ReadDib(QIODevice& in);

} // namespace mirte
