#pragma once

class QPainter;

namespace mirte {

// Where a page is drawn: the printer's page, a preview image, or the scratch image that takes
// the pages outside the printed range. Fonts are sized differently for the printer, whose
// painter maps sizes by its own resolution.
struct TLRCanvas {
    QPainter* Painter = nullptr;
    bool IsPrinter = false;
    int PrinterDpi = 0; // the printer's vertical resolution, when IsPrinter
};

} // namespace mirte
