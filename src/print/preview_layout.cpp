#include "preview_layout.h"

#include "report/geometry.h"
#include "util/rounding.h"

namespace mirte {

TPreviewPlacement PlacePreview(TPreviewZoom zoom, QSize box, QSize page, int margin,
                               int scrollBarWidth) {
    TPreviewPlacement placement;
    if (page.isEmpty()) {
        return placement;
    }
    const int m = margin;
    if (zoom == TPreviewZoom::ZoomToFit) {
        // Whole and centred inside the margins: the picture items' fitting rule.
        const TEdgeRect fitted =
            FitToRect(page.width(), page.height(), {m, m, box.width() - m, box.height() - m});
        placement.Image = QRect(fitted.Left, fitted.Top, fitted.Width(), fitted.Height());
        return placement;
    }
    const float k = static_cast<float>(box.width() - 2 * m) / static_cast<float>(page.width());
    const int ih = RoundHalfEven(static_cast<float>(page.height()) * k);
    int right = box.width() - m;
    if (ih > box.height() - 2 * m) {
        right -= scrollBarWidth;
        placement.Scrolls = true;
    }
    const int iw = RoundHalfEven(static_cast<float>(page.width()) * k);
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
