#include "alpha_rows.h"

#include <QtGlobal>

namespace mirte {

void FlattenOnWhite(const std::uint8_t* rgba, std::uint8_t* rgb, int width, bool premultiplied) {
    for (int x = 0; x < width; ++x, rgba += 4, rgb += 3) {
        const int a = rgba[3];
        for (int c = 0; c < 3; ++c) {
            const int colour = premultiplied ? rgba[c] * 255 : rgba[c] * a;
            rgb[c] = static_cast<std::uint8_t>(qMin(255, (colour + 255 * (255 - a) + 127) / 255));
        }
    }
}

} // namespace mirte
