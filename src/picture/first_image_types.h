#pragma once

#include <QImage>
#include <QString>

namespace mirte {

// Why a picture file gives no first image.
enum class TFirstImageRefusal {
    None,          // it gives one
    NoOwnImage,    // the file carries no smaller image of its own, or none that can be read
    AspectDiffers, // its proportions differ from the picture's
    NotCroppable,  // it is letterboxed, and without the bars it still differs from the picture
    Damaged,       // the file's smaller image (or the file itself) cannot be read
};

// A picture's first image: the smaller image its file carries of itself, shown until the
// thumbnail rendered from the picture comes. Never stored, never printed.
struct TFirstImage {
    QImage Picture; // upright, without letterbox bars, not scaled; null when refused
    TFirstImageRefusal Refusal = TFirstImageRefusal::NoOwnImage;
    QString Reason; // the refusal in words, for mirte-cli and the log
};

} // namespace mirte
