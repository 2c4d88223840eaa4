#pragma once

#include "first_image_candidate.h"

#include <QString>
#include <vector>

namespace mirte {

// The thumbnail images of a HEIF file's primary picture, each to be turned as the primary
// picture is (its 'irot'). Raises EPictureError when the file cannot be read.
std::vector<TFirstImageCandidate> HeifThumbnailCandidates(const QString& path);

} // namespace mirte
