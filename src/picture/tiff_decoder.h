#pragma once

#include "row_sink.h"

#include <QString>

namespace mirte {

// Decodes the first page of a TIFF file into the sink as RGB rows, in bands of whole strips or
// tiles; every compression and colour model that libtiff's RGBA interface reads is accepted
// (PackBits, LZW, deflate, CCITT Group 3 and 4, JPEG; palette, grey, RGB, CMYK, YCbCr).
// Raises EPictureError with libtiff's message for damaged data.
void DecodeTiff(const QString& path, RowSink& sink);

} // namespace mirte
