#include "orientation.h"

namespace mirte {

bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

QSize UprightSize(QSize stored, int orientation) {
    return SwapsSides(orientation) ? stored.transposed() : stored;
}

QImage MakeUpright(const QImage& stored, int orientation) {
    if (orientation < 2 || orientation > 8) {
        return stored;
    }
    const QImage in = stored.convertToFormat(QImage::Format_RGB32);
    const int w = in.width();
    const int h = in.height();
    const QSize size = UprightSize(in.size(), orientation);
    QImage out(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            int sx = x;
            int sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break; // mirrored left to right
            case 3:
                sx = w - 1 - x;
                sy = h - 1 - y;
                break; // turned half round
            case 4:
                sy = h - 1 - y;
                break; // mirrored top to bottom
            case 5:
                sx = y;
                sy = x;
                break; // mirrored along the diagonal
            case 6:
                sx = y;
                sy = h - 1 - x;
                break; // to be turned a quarter clockwise
            case 7:
                sx = w - 1 - y;
                sy = h - 1 - x;
                break; // mirrored along the other diagonal
            case 8:
                sx = w - 1 - y;
                sy = x;
                break; // to be turned a quarter anticlockwise
            default:
                break;
            }
            line[x] = reinterpret_cast<const QRgb*>(in.constScanLine(sy))[sx];
        }
    }
    return out.convertToFormat(stored.format());
}

} // namespace mirte
