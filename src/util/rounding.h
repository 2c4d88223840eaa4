#pragma once

#include <cmath>

namespace mirte {

// Rounds to the nearest integer, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4): the
// rounding that the program's sizes and positions are defined with. A float converts to double
// exactly, so single-precision callers get the same result.
inline int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value)); // the default rounding mode: to even
}

} // namespace mirte
