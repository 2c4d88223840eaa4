#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace mirte {

// Why a picture file gives no first image.
enum class TFirstImageRefusal {
    None,          // it gives one
    NoOwnImage,    // the file carries no smaller image of its own, or none that can be read
    AspectDiffers, // its proportions differ from the picture's
    NotCroppable,  // it is letterboxed, and without the bars it still differs from the picture
};

// A picture's first image: the smaller image its file carries of itself, shown until the
// thumbnail rendered from the picture comes. Never stored, never printed.
struct TFirstImage {
    QImage Picture; // upright, without letterbox bars, not scaled; null when refused
    TFirstImageRefusal Refusal = TFirstImageRefusal::NoOwnImage;
    QString Reason; // the refusal in words, for mirte-cli and the log
};

// The first image of a picture file: a HEIF thumbnail item, a JPEG's EXIF thumbnail or its MPF
// preview, a camera RAW's preview; taken when it has the picture's proportions once turned
// (within 1 %), its letterbox bars cut off. Of several, the smallest that covers `cover` (the
// size it will be shown at; empty: the largest). Never raises.
TFirstImage ReadFirstImage(const QString& path, QSize cover = QSize());

} // namespace mirte
