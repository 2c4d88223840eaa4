#pragma once

#include <QImage>

namespace mirte {

// The grid's placeholder for a folder without pictures, 315 x 234, drawn in code.
QImage NoFilePicture();

} // namespace mirte
