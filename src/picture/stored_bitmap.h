#pragma once

#include <QImage>
#include <QString>

namespace mirte {

// Reads a bitmap file as the thumbnail store writes them (24 bits, bottom-up, 54-byte header)
// straight into an image (BGR888, the file's own byte order) with one read and one copy of its
// rows; any other bitmap goes through TDibGraphic. Raises EDibError for a file that is not a bitmap
// or is cut short.
QImage ReadStoredBitmap(const QString& path);

} // namespace mirte
