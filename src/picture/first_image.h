#pragma once

#include "first_image_types.h"

#include <QSize>
#include <QString>

namespace mirte {

// The first image of a picture file: a HEIF thumbnail item, a JPEG's EXIF thumbnail or its MPF
// preview, a camera RAW's preview; taken when it has the picture's proportions once turned
// (within 1 %), its letterbox bars cut off. Of several, the smallest that covers `cover` (the
// size it will be shown at; empty: the largest). Never raises.
TFirstImage ReadFirstImage(const QString& path, QSize cover = QSize());

} // namespace mirte
