#pragma once

namespace mirte {

// A rectangle by its edges (right and bottom exclusive), as pages and grids measure.
struct TEdgeRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TEdgeRect&) const = default;
};

// Where a w x h picture goes in a box, aspect kept, as large as it fits and centred: the scale
// in single precision, the sizes truncated and the margins split by integer division. Pictures
// are enlarged as well as reduced. Used by the grid and the report items alike. An empty
// picture gives an empty rectangle at the box's corner.
TEdgeRect FitRect(int width, int height, const TEdgeRect& box);

// The scale that fits a w x h picture into a box, in single precision.
float FitScale(int width, int height, const TEdgeRect& box);

} // namespace mirte
