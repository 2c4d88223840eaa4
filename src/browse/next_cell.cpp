#include "next_cell.h"

#include <algorithm>

namespace mirte {

int NextCell(std::span<const CellState> cells, int from) {
    const int count = static_cast<int>(cells.size());
    if (count == 0) {
        return -1;
    }
    const int start = ((from % count) + count) % count;
    for (int step = 0; step < count; ++step) {
        const int index = (start + step) % count;
        if (cells[static_cast<std::size_t>(index)] == CellState::Waiting) {
            return index;
        }
    }
    return -1;
}

int NextCellIn(std::span<const CellState> cells, int first, int last) {
    const int end = std::min(last, static_cast<int>(cells.size()) - 1);
    for (int index = std::max(first, 0); index <= end; ++index) {
        if (cells[static_cast<std::size_t>(index)] == CellState::Waiting) {
            return index;
        }
    }
    return -1;
}

} // namespace mirte
