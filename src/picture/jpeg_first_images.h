#pragma once

#include "first_image_candidate.h"

#include <QString>
#include <vector>

namespace mirte {

// A JPEG file's EXIF thumbnail and MPF previews, each to be turned by `orientation` (the main
// picture's: the camera stores them unturned). Only the segments at the file's start and each
// preview's own bytes are read. A preview whose header cannot be read is left out, its reason
// in `damaged`. Raises EPictureError when the file cannot be opened.
std::vector<TFirstImageCandidate> JpegPreviewCandidates(const QString& path, int orientation,
                                                        QString& damaged);

} // namespace mirte
