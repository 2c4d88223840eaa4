#pragma once

#include "cache/sort_keys.h"

namespace mirte {

class TThumbListView;

// Sets every item's caption line for the order, then sorts the grid by it; items equal in the
// order go by name (TSortKey), so that no order is left to the folder's listing. GUI thread.
void ApplySortOrder(TThumbListView& grid, int order);

} // namespace mirte
