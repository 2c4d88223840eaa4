#pragma once

#include "picture_header_fields.h"
#include "row_sink.h"

#include <QIODevice>
#include <QSize>
#include <QString>

namespace mirte {

// WebP files through libwebp: lossy, lossless, with alpha, and the first frame of an animation.

// The canvas size (libwebp reads it from the first chunks) and the EXIF chunk's dates and
// orientation, found by walking the chunk headers; no pixel is decoded. False with a reason.
bool ReadWebpHeader(QIODevice& in, PictureHeader& header, QString& error);

// Decodes the first frame with libwebp's own scaling straight to `cover` (the size the caller
// wants, in stored orientation) when that is smaller than the canvas, so that a big picture is
// never held whole; alpha is laid on white. Raises EPictureError.
void DecodeWebp(const QString& path, QSize cover, RowSink& sink);

} // namespace mirte
