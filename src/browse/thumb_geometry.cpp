#include "thumb_geometry.h"

#include <algorithm>

namespace mirte {

int TThumbGeometry::Columns() const {
    const int columns = PaintWidth / (ThumbWidth + CellSpacing + 2 * CellMargin);
    return columns > 0 ? columns : 1;
}

int TThumbGeometry::Rows() const {
    const int columns = Columns();
    return Count / columns + (Count % columns != 0 ? 1 : 0);
}

int TThumbGeometry::ScrollRange() const {
    return (CellHeight() + CellSpacing) * Rows();
}

int TThumbGeometry::MaxScrollPos() const {
    return std::max(0, ScrollRange() - PaintHeight);
}

TEdgeRect TThumbGeometry::CellRect(int index) const {
    const int columns = Columns();
    TEdgeRect rect;
    rect.Left = CellSpacing + (index % columns) * (CellWidth() + CellSpacing);
    rect.Top = (index / columns) * (CellHeight() + CellSpacing) + CellSpacing - ScrollPos;
    rect.Right = rect.Left + CellWidth();
    rect.Bottom = rect.Top + CellHeight();
    return rect;
}

TEdgeRect TThumbGeometry::ThumbBox(int index) const {
    const TEdgeRect cell = CellRect(index);
    return {cell.Left + CellMargin, cell.Top + CellMargin, cell.Left + CellMargin + ThumbWidth,
            cell.Top + CellMargin + ThumbHeight};
}

int TThumbGeometry::HitTest(int x, int y) const {
    if (x < 0 || y + ScrollPos < 0) {
        return -1;
    }
    const int column = x / (CellWidth() + CellSpacing);
    if (column >= Columns()) {
        return -1;
    }
    const int index = column + ((y + ScrollPos) / (CellHeight() + CellSpacing)) * Columns();
    const TEdgeRect cell = CellRect(index);
    // Edges included, as the cell is filled up to them.
    if (x >= cell.Left && x <= cell.Right && y >= cell.Top && y <= cell.Bottom) {
        return index;
    }
    return -1;
}

int TThumbGeometry::FirstVisibleIndex() const {
    return (ScrollPos / (CellHeight() + CellSpacing)) * Columns();
}

int TThumbGeometry::LastVisibleIndex() const {
    return ((ScrollPos + PaintHeight) / (CellHeight() + CellSpacing) + 1) * Columns() - 1;
}

int TThumbGeometry::ScrollPosToShow(int index) const {
    const int pitch = CellHeight() + CellSpacing;
    const int top = (index / Columns()) * pitch; // the row's spacing above it and the cell
    const int bottom = top + pitch + CellSpacing;
    int position = ScrollPos;
    if (bottom - position > PaintHeight) {
        position = bottom - PaintHeight;
    }
    if (top < position) {
        position = top;
    }
    return std::clamp(position, 0, MaxScrollPos());
}

} // namespace mirte
