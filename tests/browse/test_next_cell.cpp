#include "browse/next_cell.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace mirte;

namespace {

// "w" waiting, "u" under way, "d" done.
std::vector<CellState> Cells(const std::string& states) {
    std::vector<CellState> cells;
    for (const char c : states) {
        cells.push_back(c == 'w'   ? CellState::Waiting
                        : c == 'u' ? CellState::UnderWay
                                   : CellState::Done);
    }
    return cells;
}

} // namespace

TEST(NextCell, TakesTheFirstWaitingCellFromTheViewOnAndGoesRound) {
    const struct {
        const char* cells;
        int from;
        int next;
    } rows[] = {
        {"wwww", 0, 0},                  // a fresh grid, the view at the top
        {"wwww", 2, 2},                  // the view further down: its rows first
        {"ddww", 0, 2},                  // what is done is passed over
        {"wuuw", 1, 3},                  // and what a worker is making
        {"wddd", 2, 0},                  // past the last cell, round to the first
        {"dwdd", 3, 1},  {"wwww", 4, 0}, // moved past the last cell fetched
        {"wwww", 9, 1},                  // a place beyond the grid counts round
        {"dudu", 0, -1},                 // nothing waits: the pass ends
        {"", 0, -1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NextCell(Cells(row.cells), row.from), row.next)
            << row.cells << " from " << row.from;
    }
}

TEST(NextCell, FetchingFromTheViewAndMovingWithItVisitsEveryCellOnce) {
    // The loader's walk: the view at row 3 of 8 cells, then the user scrolls to cell 6 after
    // two fetches; every cell is fetched exactly once, the rows in view first each time.
    std::vector<CellState> cells = Cells("wwwwwwww");
    std::vector<int> order;
    int from = 3;
    for (int fetched = 0;; ++fetched) {
        if (fetched == 2) {
            from = 6;
        }
        const int index = NextCell(cells, from);
        if (index < 0) {
            break;
        }
        cells[static_cast<std::size_t>(index)] = CellState::UnderWay;
        order.push_back(index);
        from = index + 1;
    }
    EXPECT_EQ(order, (std::vector<int>{3, 4, 6, 7, 0, 1, 2, 5}));
}

TEST(NextCell, InTheViewTakesTheFirstWaitingCellWithoutGoingRound) {
    const struct {
        const char* cells;
        int first;
        int last;
        int next;
    } rows[] = {
        {"wwww", 1, 2, 1},  // the first cell in view that waits
        {"wdww", 1, 2, 2},  // what is done is passed over
        {"wddw", 1, 2, -1}, // nothing in view waits: the cells past it are not taken
        {"wwww", 2, 9, 2},  // a view reaching past the last cell
        {"wwww", -1, 0, 0}, // nor before the first
        {"", 0, 3, -1},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(NextCellIn(Cells(row.cells), row.first, row.last), row.next)
            << row.cells << " from " << row.first << " to " << row.last;
    }
}
