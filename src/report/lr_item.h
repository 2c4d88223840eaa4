#pragma once

#include "lr_canvas.h"
#include "lr_control.h"

namespace mirte {

// The leaves of a report: boxes that draw a background, text or a picture, and frame lines.
// An item sits on a panel only (a grid panel given as parent means its cell template); a new
// item is 65 x 17 design pixels.
class TCustomLRItem : public TLRControl {
public:
    TCustomLRItem();
    bool IsItem() const override { return true; }
    // Draws the item into `rect` (design pixels on the page) at `scale` device pixels per design
    // pixel. The base draws nothing.
    virtual void PrintItem(TLRCanvas& canvas, const TEdgeRect& rect, TPrintStatus status,
                           double scale);

protected:
    void CheckParent(TLRControl* parent) const override;
};

} // namespace mirte
