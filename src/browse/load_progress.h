#pragma once

namespace mirte {

// counter / total as a whole percentage, rounded to the nearest (halves to the even one); a
// total of 0 gives 100.
int ProgressPercent(int counter, int total);

} // namespace mirte
