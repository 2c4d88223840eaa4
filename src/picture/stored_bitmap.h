#pragma once

#include <QImage>
#include <QString>

namespace mirte {

// Reads a bitmap file as the thumbnail store writes them (24 bits, bottom-up, 54-byte header)
// straight into an image (BGR888, the file's own byte order): one read puts every row in its
// place, into the image's own memory when it already has that size and is not shared. Any other
// bitmap goes through TDibGraphic. False when the file does not exist; raises
// EDibError for a file that is not a bitmap or is cut short.
bool ReadStoredBitmap(const QString& path, QImage& image);

} // namespace mirte
