#pragma once

#include <span>

namespace mirte {

// What the loader knows of a cell during its second pass.
enum class CellState : char {
    Waiting,  // its thumbnail is still to be fetched
    UnderWay, // a render worker is making it
    Done,     // shown, or shown as one that cannot be loaded
};

// The cell the loader fetches next: the first that waits from `from` on, going round past the
// last cell to the first. The loader starts `from` at the first cell in view, so that the rows
// in view come first, moves it past each cell it fetches, and sets it to the view again when
// the view moves. -1 when no cell waits.
int NextCell(std::span<const CellState> cells, int from);
// The first cell that waits from `first` to `last` (the cells in view), without going round;
// -1 when none does.
int NextCellIn(std::span<const CellState> cells, int first, int last);

} // namespace mirte
