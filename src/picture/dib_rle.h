#pragma once

#include <QByteArrayView>
#include <QImage>

namespace mirte {

// Expands RLE8 data (rle4 false) or RLE4 data into an Indexed8 image whose lines count from the
// top; the data's rows count from the bottom unless topDown. Runs and deltas that leave the
// image are cut off at its edge, and pixels the data does not reach keep their index.
void DecodeDibRle(QByteArrayView data, bool rle4, bool topDown, QImage& image);

} // namespace mirte
