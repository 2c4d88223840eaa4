#pragma once

#include "dib_internal.h"

#include <QIODevice>

namespace mirte {

// Writes the image as a bitmap file, little-endian: the 14-byte file header, the 40-byte
// header as held, the colour table in 4-byte entries and the pixel data as held. The pixel data
// starts at 54 + 4 x colour count. Raises EDibError when the device takes less than all.
void WriteDib(const TInternalDib& dib, QIODevice& out);

} // namespace mirte
