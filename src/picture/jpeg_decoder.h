#pragma once

#include "row_sink.h"

#include <QSize>
#include <QString>
#include <cstddef>

namespace mirte {

// The smallest n (1 to 8) for which libjpeg's n/8 scale turns `stored` pixels into at least
// `wanted` (libjpeg rounds the scaled size up).
int JpegScaleFor(int stored, int wanted);

// Decodes a JPEG file into the sink at the smallest DCT scale (n/8) whose output still covers
// `cover` (the size the caller scales to, in stored orientation). Gray, RGB, CMYK and YCCK
// pictures all arrive as RGB rows. A picture cut short arrives with its missing part grey, as
// libjpeg fills it. Raises EPictureError for damaged data (libjpeg's message beside the reason).
void DecodeJpeg(const QString& path, QSize cover, RowSink& sink);
// The same for a JPEG stream in memory (a camera RAW file's preview); `path` names it in errors.
// With `warningsFail`, a stream cut short or damaged is refused instead of filled in.
void DecodeJpegData(const unsigned char* data, std::size_t size, QSize cover, RowSink& sink,
                    const QString& path, bool warningsFail = false);

} // namespace mirte
