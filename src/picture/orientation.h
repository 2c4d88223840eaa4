#pragma once

#include <QImage>
#include <QSize>

namespace mirte {

// Whether an EXIF orientation (1..8) turns the picture by a quarter, swapping its sides.
bool SwapsSides(int orientation);
// The size of the picture once shown upright.
QSize UprightSize(QSize stored, int orientation);
// The picture as it is meant to be seen: each of the eight orientations undone.
QImage MakeUpright(const QImage& stored, int orientation);

} // namespace mirte
