#pragma once

#include <QImage>
#include <QSize>
#include <functional>

namespace mirte {

// One of the smaller images a picture file carries of itself, not yet decoded.
struct TFirstImageCandidate {
    QSize Size;          // as stored
    int Orientation = 1; // the turn it needs to stand as the picture does (EXIF 1..8)
    // Its pixels as stored, at least `cover` (stored orientation; empty: its full size) where
    // the format can decode smaller. Raises EPictureError when it is damaged.
    std::function<QImage(QSize cover)> Decode;
};

} // namespace mirte
