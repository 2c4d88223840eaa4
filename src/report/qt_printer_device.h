#pragma once

#include "printer_device.h"

#include <QPageSize>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace mirte {

// A printer through Qt: a queue of the print system (CUPS here) or a PDF file that Qt writes
// itself. Its margins are the printer's smallest, so that, as on a printer's device context, the
// painter starts at the printable area's corner.
class TQtPrinterDevice : public TPrinterDevice {
public:
    // The named queue; an empty name takes the system's default printer.
    static std::unique_ptr<TQtPrinterDevice> ForPrinter(const QString& name);
    // A PDF file on this paper, at 1200 dots per inch.
    static std::unique_ptr<TQtPrinterDevice> ForPdfFile(const QString& path,
                                                        const QPageSize& paper);
    ~TQtPrinterDevice() override;

    QString Name() const override;
    bool Metrics(TPrinterMetrics& metrics) const override;
    int ScalePercent() const override { return 100; } // Qt has no scale in its printer settings
    TPrinterOrientation Orientation() const override;
    void SetOrientation(TPrinterOrientation orientation) override;
    void SetTitle(const QString& title) override;
    bool SetPaper(const QPageSize& paper, TPrinterOrientation orientation) override;
    void RestoreDefaults() override;

    bool BeginDoc() override;
    bool NewPage() override;
    bool EndDoc() override;
    void Abort() override;
    bool Printing() const override { return m_painter != nullptr; }
    QPainter* Painter() override { return m_painter.get(); }

    // For the print dialog.
    QPrinter& Printer() { return *m_printer; }

private:
    explicit TQtPrinterDevice(std::unique_ptr<QPrinter> printer);
    void UseSmallestMargins();

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace mirte
