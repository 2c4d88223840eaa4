#pragma once

#include <QRect>
#include <QSize>

namespace mirte {

enum class TPreviewZoom { ZoomToFit, ZoomToWidth };

// Where the preview shows a page of `page` pixels in a scroll box of `box` pixels, keeping
// `margin` pixels to the box's edges: whole and centred (fit), or as wide as the box with the
// height scrolling (width; a page taller than the box leaves room for the vertical scroll bar
// of `scrollBarWidth`). Sizes are scaled in single precision and rounded, halves to even.
struct TPreviewPlacement {
    QRect Image;          // the picture control: position in the scrolled area and size
    bool Scrolls = false; // the page is taller than the box (width mode only)
};
TPreviewPlacement PlacePreview(TPreviewZoom zoom, QSize box, QSize page, int margin,
                               int scrollBarWidth);

// Inside the picture control of `size`, the page itself: a twentieth of each side is left free.
QRect PreviewPageArea(QSize size);

} // namespace mirte
