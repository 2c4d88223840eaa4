#pragma once

#include "picture_error.h"
#include "picture_header_fields.h"
#include "row_sink.h"

#include <QByteArrayView>
#include <QSize>
#include <QString>

namespace mirte {

// HEIF files (HEIC, AVIF and their kin) through libheif: the primary picture only; auxiliary,
// depth and sequence images are left alone.

// The primary picture's size as libheif decodes it, cropped by its clean aperture but before its
// own turn, whether that turn swaps its sides, and
// the EXIF dates; only the file's boxes are read, no picture is decoded. False with a reason.
bool ReadHeifHeader(const QString& path, PictureHeader& header, TPictureFault& fault);
bool ReadHeifHeader(QByteArrayView bytes, PictureHeader& header, TPictureFault& fault);

// Decodes the primary picture upright (turned and mirrored as libheif does it), or the smallest
// of its thumbnail images that still covers `upright`, into the sink as RGB rows; alpha is laid
// on white, 10- and 12-bit pictures arrive as 8 bits. Raises EPictureError.
void DecodeHeif(const QString& path, QSize upright, RowSink& sink);

} // namespace mirte
