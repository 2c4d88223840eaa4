#pragma once

#include "picture/fit_rect.h"
#include "printer_measure.h"

#include <QColor>
#include <QImage>

namespace mirte {

// The same placement for picture items and sample pictures, but with the sizes and the
// position rounded (halves to the even neighbour). The picture must not be empty.
TReportRect FitToRect(int width, int height, const TReportRect& box);

// Turns a picture by quarter turns, in place: 0 keeps it, 1 turns it 90° anticlockwise, 2 half
// round, 3 90° clockwise. The result has 24 bits per pixel; `back` fills what no pixel covers.
void RotateBitmap(QImage& bitmap, int turn, QColor back);

} // namespace mirte
