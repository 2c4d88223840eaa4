#pragma once

#include "cache/sort_keys.h"

namespace mirte {

class TThumbListView;

// Sets every item's caption line for the order, then sorts the grid stably by it (items with
// equal keys keep their order). GUI thread.
void ApplySortOrder(TThumbListView& grid, int order);

} // namespace mirte
