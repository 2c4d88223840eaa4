#include "printer_measure.h"

#include "util/rounding.h"

namespace mirte {

namespace {

// The measurements are made in single precision, as the layouts were designed with them.
constexpr float UnitsPerMillimetre = 3.78f;
constexpr float MillimetresPerInch = 25.4f;

int ToUnits(int dots, float dotsPerMillimetre) {
    return RoundHalfEven(static_cast<float>(dots) / dotsPerMillimetre * UnitsPerMillimetre);
}

struct DotsPerMillimetre {
    float x = 0;
    float y = 0;
};

bool Measure(const TPrinterDevice& printer, TPrinterMetrics& metrics, DotsPerMillimetre& ppm) {
    if (!printer.Metrics(metrics) || metrics.DpiX <= 0 || metrics.DpiY <= 0) {
        return false;
    }
    const float scale = GetPrinterScale(printer);
    ppm.x = static_cast<float>(metrics.DpiX) * scale / MillimetresPerInch;
    ppm.y = static_cast<float>(metrics.DpiY) * scale / MillimetresPerInch;
    return true;
}

} // namespace

float GetPrinterScale(const TPrinterDevice& printer) {
    const float scale = static_cast<float>(printer.ScalePercent()) / 100.0f;
    return scale > 0 ? scale : 1.0f;
}

TReportRect GetPaperRect(const TPrinterDevice& printer) {
    TPrinterMetrics m;
    DotsPerMillimetre ppm;
    if (!Measure(printer, m, ppm)) {
        return {};
    }
    return {0, 0, ToUnits(m.PhysicalWidth, ppm.x), ToUnits(m.PhysicalHeight, ppm.y)};
}

TReportRect GetPrintableRect(const TPrinterDevice& printer) {
    TPrinterMetrics m;
    DotsPerMillimetre ppm;
    if (!Measure(printer, m, ppm)) {
        return {};
    }
    const int left = ToUnits(m.OffsetX, ppm.x);
    const int top = ToUnits(m.OffsetY, ppm.y);
    return {left, top, left + ToUnits(m.PrintableWidth, ppm.x),
            top + ToUnits(m.PrintableHeight, ppm.y)};
}

} // namespace mirte
