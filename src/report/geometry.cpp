#include "geometry.h"

#include "util/rounding.h"

namespace mirte {

TReportRect FitToRect(int width, int height, const TReportRect& box) {
    if (width <= 0 || height <= 0) {
        return {box.Left, box.Top, box.Left, box.Top};
    }
    const float k = FitScale(width, height, box);
    const int w = RoundHalfEven(static_cast<float>(width) * k);
    const int h = RoundHalfEven(static_cast<float>(height) * k);
    const int left = RoundHalfEven(static_cast<float>(box.Left) +
                                   static_cast<float>(box.Right - box.Left - w) / 2.0f);
    const int top = RoundHalfEven(static_cast<float>(box.Top) +
                                  static_cast<float>(box.Bottom - box.Top - h) / 2.0f);
    return {left, top, left + w, top + h};
}

void RotateBitmap(QImage& bitmap, int turn, QColor back) {
    const QImage source = bitmap.convertToFormat(QImage::Format_RGB888);
    const int ws = source.width();
    const int hs = source.height();
    const bool swaps = turn == 1 || turn == 3;
    QImage turned(swaps ? hs : ws, swaps ? ws : hs, QImage::Format_RGB888);
    turned.fill(back);
    for (int y = 0; y < hs; ++y) {
        const uchar* in = source.constScanLine(y);
        for (int x = 0; x < ws; ++x) {
            int dx = x;
            int dy = y;
            switch (turn) {
            case 1:
                dx = y;
                dy = ws - 1 - x;
                break;
            case 2:
                dx = ws - 1 - x;
                dy = hs - 1 - y;
                break;
            case 3:
                dx = hs - 1 - y;
                dy = x;
                break;
            default:
                break;
            }
            uchar* out = turned.scanLine(dy) + std::ptrdiff_t(dx) * 3;
            const uchar* pixel = in + std::ptrdiff_t(x) * 3;
            out[0] = pixel[0];
            out[1] = pixel[1];
            out[2] = pixel[2];
        }
    }
    bitmap = turned;
}

} // namespace mirte
