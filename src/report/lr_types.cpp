#include "lr_types.h"

#include <cstdlib>

namespace mirte {

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude =
        (std::llabs(product) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

int TLRFont::Size() const {
    return MulDiv(Height, 72, 96);
}

void TLRFont::SetSize(int points) {
    Height = MulDiv(points, 96, 72);
}

} // namespace mirte
