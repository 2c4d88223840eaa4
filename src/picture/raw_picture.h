#pragma once

#include "first_image_candidate.h"
#include "picture_error.h"
#include "picture_header_fields.h"
#include "row_sink.h"

#include <QByteArrayView>
#include <QSize>
#include <QString>
#include <vector>

namespace mirte {

// Camera RAW files through LibRaw, and through the program's own reading of the TIFF-laid-out
// ones (raw_tiff.h) for what LibRaw does not give.

// The picture's size before the camera's turn, the turn as an EXIF orientation, and the dates:
// where exiftool finds them in a TIFF-laid-out file (raw_tiff.h), else as LibRaw met them while
// it walked the file (DateTimeOriginal, DateTime), else LibRaw's own time stamp; only the
// metadata is read. A file LibRaw does not read (a camera it does not know) is its largest JPEG
// preview, turned by the first directory's orientation. False with a reason when there is
// neither.
bool ReadRawHeader(const QString& path, PictureHeader& header, TPictureFault& fault);
bool ReadRawHeader(QByteArrayView bytes, PictureHeader& header, TPictureFault& fault);

// Decodes the picture in stored orientation into the sink for `cover` (the size the caller
// scales to): the camera's embedded preview when it covers that size and has the picture's
// proportions (a JPEG preview through the DCT-scaled JPEG decoder), else a half-size
// development of the raw data; when the raw data cannot be developed, the preview whatever its
// size, cut to the picture's proportions. Raises EPictureError when there is neither.
void DecodeRaw(const QString& path, QSize cover, RowSink& sink);

// The camera's embedded preview, to be turned by the camera's turn; none when the file has no
// preview LibRaw can unpack. Of a file LibRaw does not read, the JPEG previews the program
// finds in it. Raises EPictureError when the file cannot be read and has no preview.
std::vector<TFirstImageCandidate> RawPreviewCandidates(const QString& path);

} // namespace mirte
