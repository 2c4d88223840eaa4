#include "qt_printer_device.h"

#include <QPainter>
#include <QPrinter>

namespace mirte {

TQtPrinterDevice::TQtPrinterDevice(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer)) {
    UseSmallestMargins();
}

TQtPrinterDevice::~TQtPrinterDevice() {
    Abort(); // a job is never left open
}

std::unique_ptr<TQtPrinterDevice> TQtPrinterDevice::ForPrinter(const QString& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!name.isEmpty()) {
        printer->setPrinterName(name);
    }
    return std::unique_ptr<TQtPrinterDevice>(new TQtPrinterDevice(std::move(printer)));
}

std::unique_ptr<TQtPrinterDevice> TQtPrinterDevice::ForPdfFile(const QString& path,
                                                               const QPageSize& paper) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(paper);
    return std::unique_ptr<TQtPrinterDevice>(new TQtPrinterDevice(std::move(printer)));
}

void TQtPrinterDevice::UseSmallestMargins() {
    m_printer->setFullPage(false);
    const QPageLayout layout = m_printer->pageLayout();
    m_printer->setPageMargins(layout.minimumMargins(), layout.units());
}

QString TQtPrinterDevice::Name() const {
    return m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName()
                                                            : m_printer->printerName();
}

bool TQtPrinterDevice::Metrics(TPrinterMetrics& metrics) const {
    const int dpi = m_printer->resolution();
    if (dpi <= 0) {
        return false;
    }
    const QPageLayout layout = m_printer->pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    metrics = {dpi,           dpi,           full.width(),      full.height(),
               printable.x(), printable.y(), printable.width(), printable.height()};
    return full.width() > 0 && full.height() > 0;
}

TPrinterOrientation TQtPrinterDevice::Orientation() const {
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape
               ? TPrinterOrientation::poLandscape
               : TPrinterOrientation::poPortrait;
}

void TQtPrinterDevice::SetOrientation(TPrinterOrientation orientation) {
    m_printer->setPageOrientation(orientation == TPrinterOrientation::poLandscape
                                      ? QPageLayout::Landscape
                                      : QPageLayout::Portrait);
}

void TQtPrinterDevice::SetTitle(const QString& title) {
    m_printer->setDocName(title);
}

bool TQtPrinterDevice::SetPaper(const QPageSize& paper, TPrinterOrientation orientation) {
    if (m_painter || !paper.isValid() || !m_printer->setPageSize(paper)) {
        return false;
    }
    SetOrientation(orientation);
    UseSmallestMargins();
    return true;
}

void TQtPrinterDevice::RestoreDefaults() {
    if (m_painter) {
        return; // never in the middle of a job
    }
    auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        fresh->setOutputFormat(QPrinter::PdfFormat);
        fresh->setOutputFileName(m_printer->outputFileName());
        fresh->setPageSize(m_printer->pageLayout().pageSize());
    } else {
        fresh->setPrinterName(m_printer->printerName());
    }
    m_printer = std::move(fresh);
    UseSmallestMargins();
}

bool TQtPrinterDevice::BeginDoc() {
    if (m_painter) {
        return false;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_printer.get())) {
        return false;
    }
    m_painter = std::move(painter);
    return true;
}

bool TQtPrinterDevice::NewPage() {
    return m_painter != nullptr && m_printer->newPage();
}

bool TQtPrinterDevice::EndDoc() {
    if (!m_painter) {
        return false;
    }
    const bool ended = m_painter->end();
    m_painter.reset();
    return ended;
}

void TQtPrinterDevice::Abort() {
    if (!m_painter) {
        return;
    }
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
}

} // namespace mirte
