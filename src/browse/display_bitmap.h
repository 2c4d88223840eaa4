#pragma once

#include <QImage>
#include <QSize>

namespace mirte {

// The picture scaled to fit the display box (logical pixels) on a screen of the given pixel
// ratio: a box of 128 at ratio 2 gives a bitmap of up to 256 device pixels that draws 128
// wide. At ratio 1 the size is trunc(w / f) x trunc(h / f), f the larger of w / box width and
// h / box height. Pure: may run on any thread. A null picture gives a null bitmap.
QImage MakeDisplayBitmap(const QImage& picture, QSize box, qreal devicePixelRatio = 1.0);

// The picture drawn when the grid is empty (a folder with no pictures), made in code.
QImage MakeNoFilePicture();

} // namespace mirte
