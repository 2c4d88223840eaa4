#pragma once

#include "printer_measure.h"

#include <QColor>
#include <QImage>

namespace mirte {

// Where a w x h picture goes in a box, aspect kept, as large as it fits and centred: the scale
// in single precision, the sizes truncated and the margins split by integer division. Used by
// the grid and the report items alike.
TReportRect FitRect(int width, int height, const TReportRect& box);

// The same placement for picture items and sample pictures, but with the sizes and the
// position rounded (halves to the even neighbour). The picture must not be empty.
TReportRect FitToRect(int width, int height, const TReportRect& box);

// Turns a picture by quarter turns, in place: 0 keeps it, 1 turns it 90° anticlockwise, 2 half
// round, 3 90° clockwise. The result has 24 bits per pixel; `back` fills what no pixel covers.
void RotateBitmap(QImage& bitmap, int turn, QColor back);

} // namespace mirte
