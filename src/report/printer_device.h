#pragma once

#include <QPageSize>
#include <QString>

class QPainter;

namespace mirte {

enum class TPrinterOrientation { poPortrait, poLandscape };

// What a printer says about its paper, in its own device pixels, for the orientation it has now.
struct TPrinterMetrics {
    int DpiX = 0; // resolution per axis (LOGPIXELSX, LOGPIXELSY)
    int DpiY = 0;
    int PhysicalWidth = 0; // the whole sheet (PHYSICALWIDTH, PHYSICALHEIGHT)
    int PhysicalHeight = 0;
    int OffsetX = 0; // where the printable area starts (PHYSICALOFFSETX, -Y)
    int OffsetY = 0;
    int PrintableWidth = 0; // the printable area (HORZRES, VERTRES)
    int PrintableHeight = 0;
};

// The printer as the report engine and the print jobs see it. The painter's origin is the
// corner of the printable area, as on a printer's own device context; the engine shifts by the
// physical offset itself. The report code never knows which implementation it has: a real
// printer (or PDF file) through Qt, or a test double with fixed numbers.
class TPrinterDevice {
public:
    virtual ~TPrinterDevice() = default;

    virtual QString Name() const = 0;
    // False when the device cannot be asked (the caller then falls back as the engine says).
    virtual bool Metrics(TPrinterMetrics& metrics) const = 0;
    // The scale of the device settings in percent (100 when the driver has none).
    virtual int ScalePercent() const = 0;
    virtual TPrinterOrientation Orientation() const = 0;
    // Turns the page, keeping the paper the user chose; false when the driver refuses.
    virtual bool SetOrientation(TPrinterOrientation orientation) = 0;
    virtual void SetTitle(const QString& title) = 0;
    // Puts a paper and an orientation into the printer's settings; false when the driver
    // refuses them.
    virtual bool SetPaper(const QPageSize& paper, TPrinterOrientation orientation) = 0;
    // Forgets what earlier jobs set: the printer starts again from its own defaults.
    virtual void RestoreDefaults() = 0;

    // The job: false when the printer refuses (no printer, a file that cannot be written).
    virtual bool BeginDoc() = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() const = 0;
    // The painter of the page being printed; null when not printing.
    virtual QPainter* Painter() = 0;
    // Why the last BeginDoc or EndDoc failed, when the device can tell; else empty.
    virtual QString LastError() const { return {}; }
};

} // namespace mirte
