#include "load_progress.h"

#include <cmath>

namespace mirte {

int ProgressPercent(int counter, int total) {
    if (total <= 0) {
        return 100;
    }
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return static_cast<int>(std::nearbyint(static_cast<double>(counter) * 100.0 / total));
}

} // namespace mirte
