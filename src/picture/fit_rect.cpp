#include "fit_rect.h"

namespace mirte {

float FitScale(int width, int height, const TEdgeRect& box) {
    float k = static_cast<float>(box.Right - box.Left) / static_cast<float>(width);
    const float byHeight = static_cast<float>(box.Bottom - box.Top) / static_cast<float>(height);
    if (byHeight < k) {
        k = byHeight;
    }
    return k;
}

TEdgeRect FitRect(int width, int height, const TEdgeRect& box) {
    if (width <= 0 || height <= 0) {
        return {box.Left, box.Top, box.Left, box.Top};
    }
    const float k = FitScale(width, height, box);
    const int w = static_cast<int>(k * static_cast<float>(width)); // trunc
    const int h = static_cast<int>(k * static_cast<float>(height));
    const int left = box.Left + ((box.Right - box.Left) - w) / 2; // division towards zero
    const int top = box.Top + ((box.Bottom - box.Top) - h) / 2;
    return {left, top, left + w, top + h};
}

} // namespace mirte
