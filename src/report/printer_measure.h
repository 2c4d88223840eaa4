#pragma once

#include "picture/fit_rect.h"
#include "printer_device.h"

namespace mirte {

// A rectangle in report units (3.78 per millimetre), edges as on the page.
using TReportRect = TEdgeRect;

// The device settings' scale as a fraction; 1 when it is not above 0.
float GetPrinterScale(const TPrinterDevice& printer);
// The whole sheet: (0, 0, width, height) in report units. All zero when the device cannot be
// asked.
TReportRect GetPaperRect(const TPrinterDevice& printer);
// The printable area, measured from the sheet's corner, in report units.
TReportRect GetPrintableRect(const TPrinterDevice& printer);

} // namespace mirte
