#pragma once

#include "picture/fit_rect.h"

#include <algorithm>

namespace mirte {

// Where the grid's cells lie: the pure arithmetic of the thumbnail grid, so that it can be
// measured without a widget. Coordinates are the drawing surface's, scroll position applied.
struct TThumbGeometry {
    static constexpr int CellSpacing = 8; // gap between cells and before the first row and column
    static constexpr int CellMargin = 8;  // inset of the thumbnail box inside a cell

    int ThumbWidth = 64;
    int ThumbHeight = 64;
    int LineHeight = 12; // the text lines' height in pixels
    int PaintWidth = 0;  // the drawing surface
    int PaintHeight = 0;
    int Count = 0;
    int ScrollPos = 0;

    int CellWidth() const { return ThumbWidth + 2 * CellMargin; }
    int CellHeight() const { return ThumbHeight + 3 * CellMargin + 3 * LineHeight; }
    // Cells per row, at least one.
    int Columns() const;
    int Rows() const;
    // The height of all rows, spacing included.
    int ScrollRange() const;
    // The largest scroll position that still fills the surface.
    int MaxScrollPos() const;
    // What a notch of the mouse wheel scrolls: a third of a row, spacing included.
    int WheelStep() const { return std::max(1, (CellHeight() + CellSpacing) / 3); }

    TEdgeRect CellRect(int index) const;
    // The thumbnail box inside the cell.
    TEdgeRect ThumbBox(int index) const;
    // The item under a surface point, -1 for none (gaps, past the last item).
    int HitTest(int x, int y) const;
    // The first and last index of the rows in view; the last may exceed Count - 1.
    int FirstVisibleIndex() const;
    int LastVisibleIndex() const;
    // The scroll position that brings the item's whole row into view with the least movement.
    int ScrollPosToShow(int index) const;
};

} // namespace mirte
