#pragma once

#include "dib_internal.h"

#include <QImage>

namespace mirte {

// The image with its lines upright: 1 bit -> Mono, 4 and 8 bits (also RLE) -> Indexed8, both
// with the colour table made up to the full count with black; 24 bits -> BGR888. A null QImage
// when the memory for it cannot be had.
QImage DibToImage(const TInternalDib& dib);

// A bitmap-held image of the QImage: Mono and Indexed8 keep their depth and colour table (an
// empty table becomes a full grey ramp), all other formats become 24 bits; stored bottom-up.
// A resolution the QImage does not give becomes 3780. A null QImage gives the 1 x 1 8-bit
// image. Raises EDibInvalidDibPara when the image is beyond DibMaxPixelBytes, EDibCanvasFailed
// when it cannot be converted.
TInternalDib DibFromImage(const QImage& image);

} // namespace mirte
