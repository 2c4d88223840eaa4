#include "preview_layout.h"

#include <cmath>

namespace mirte {

namespace {

int RoundHalfEven(float v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

TPreviewPlacement PlacePreview(TPreviewZoom zoom, QSize box, QSize page, int margin,
                               int scrollBarWidth) {
    TPreviewPlacement placement;
    if (page.isEmpty()) {
        return placement;
    }
    const int m = margin;
    const float w = static_cast<float>(page.width());
    const float h = static_cast<float>(page.height());
    if (zoom == TPreviewZoom::ZoomToFit) {
        float k = static_cast<float>(box.width() - 2 * m) / w;
        const float byHeight = static_cast<float>(box.height() - 2 * m) / h;
        if (byHeight < k) {
            k = byHeight;
        }
        const int iw = RoundHalfEven(w * k);
        const int ih = RoundHalfEven(h * k);
        const int left = RoundHalfEven(static_cast<float>(m) +
                                       static_cast<float>(box.width() - 2 * m - iw) / 2.0f);
        const int top = RoundHalfEven(static_cast<float>(m) +
                                      static_cast<float>(box.height() - 2 * m - ih) / 2.0f);
        placement.Image = QRect(left, top, iw, ih);
        return placement;
    }
    const float k = static_cast<float>(box.width() - 2 * m) / w;
    const int ih = RoundHalfEven(h * k);
    int right = box.width() - m;
    if (ih > box.height() - 2 * m) {
        right -= scrollBarWidth;
        placement.Scrolls = true;
    }
    const int iw = RoundHalfEven(w * k);
    const int left =
        RoundHalfEven(static_cast<float>(m) + static_cast<float>(right - m - iw) / 2.0f);
    placement.Image = QRect(left, m, iw, ih);
    return placement;
}

QRect PreviewPageArea(QSize size) {
    const int mx = size.width() / 20;
    const int my = size.height() / 20;
    return QRect(QPoint(mx, my), QPoint(size.width() - mx - 1, size.height() - my - 1));
}

} // namespace mirte
