#include "load_progress.h"

#include "util/rounding.h"

namespace mirte {

int ProgressPercent(int counter, int total) {
    if (total <= 0) {
        return 100;
    }
    return RoundHalfEven(static_cast<double>(counter) * 100.0 / total);
}

} // namespace mirte
