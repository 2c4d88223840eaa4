#include "lr_page.h"

#include "font_substitutes.h"
#include "lr_error.h"
#include "lr_panels.h"

#include <QCoreApplication>

namespace mirte {

namespace {

// The design pixels per inch of the screen the layouts were drawn for.
constexpr double kScreenDpi = 96.0;

QPageSize PageSizeOf(TPaperSize paper) {
    switch (paper) {
    case TPaperSize::psA4:
        return QPageSize(QPageSize::A4);
    case TPaperSize::psB4:
        return QPageSize(QPageSize::B4);
    case TPaperSize::psB5:
        return QPageSize(QPageSize::JisB5);
    case TPaperSize::psA3:
        return QPageSize(QPageSize::A3);
    case TPaperSize::psA5:
        return QPageSize(QPageSize::A5);
    case TPaperSize::psNone:
        break;
    }
    return QPageSize();
}

// The engine's message, with the printer's reason on a second line when it gives one.
[[noreturn]] void RaiseDeviceError(const char* message, const TPrinterDevice& printer) {
    const QString reason = printer.LastError();
    const QString text = QCoreApplication::translate("ReportMessages", message);
    throw ELRError(reason.isEmpty() ? text : text + QLatin1Char('\n') + reason);
}

} // namespace

VUvudiRoz::VUvudiRoz() {
    InstallFontSubstitutes(); // the layouts name Windows fonts
    SetColor(Qt::white);
    ApplyPaperExtent();
}

VUvudiRoz::~VUvudiRoz() {
    Abort(); // a job is never left open on the printer
}

QSize VUvudiRoz::PaperExtent(TPaperSize paper) {
    switch (paper) {
    case TPaperSize::psA4:
        return {794, 1123};
    case TPaperSize::psB4:
        return {945, 1338};
    case TPaperSize::psB5:
        return {688, 971};
    case TPaperSize::psA3:
        return {1123, 1587};
    case TPaperSize::psA5:
        return {559, 794};
    case TPaperSize::psNone:
        break;
    }
    return {0, 0};
}

void VUvudiRoz::CheckParent(TLRControl*) const {
    RaiseLRError(lr_message::kOnlyOnForm);
}

TEdgeRect VUvudiRoz::ClientArea() const {
    // Inside the raised frame of one design pixel, then the margins.
    return {1 + m_margins.Left, 1 + m_margins.Top, Width() - 1 - m_margins.Right,
            Height() - 1 - m_margins.Bottom};
}

bool VUvudiRoz::AdjustBounds(int&, int&, int& width, int& height) {
    if (m_paperSize != TPaperSize::psNone) {
        width = m_paperWidth;
        height = m_paperHeight;
    }
    return true;
}

void VUvudiRoz::SetMargin(int& margin, int value) {
    if (value == margin || value <= 0 || value >= Width() / 2) {
        return;
    }
    margin = value;
    Realign();
}

void VUvudiRoz::SetOrientation(TPrinterOrientation orientation) {
    if (orientation == m_orientation) {
        return;
    }
    m_orientation = orientation;
    ApplyPaperExtent();
}

void VUvudiRoz::SetPaperSize(TPaperSize paper) {
    m_paperSize = paper;
    ApplyPaperExtent();
}

void VUvudiRoz::ApplyPaperExtent() {
    if (m_paperSize == TPaperSize::psNone) {
        return;
    }
    QSize extent = PaperExtent(m_paperSize);
    if (m_orientation == TPrinterOrientation::poLandscape) {
        extent.transpose();
    }
    m_paperWidth = extent.width();
    m_paperHeight = extent.height();
    if (Width() != m_paperWidth || Height() != m_paperHeight) {
        SetBoundsRaw(Left(), Top(), m_paperWidth, m_paperHeight);
    }
}

void VUvudiRoz::SetPrinter(TPrinterDevice* printer) {
    if (printer == nullptr || printer == m_printer) {
        return;
    }
    if (m_state == TReportState::rsPrinting) {
        RaiseLRError(lr_message::kPrinting);
    }
    if (m_printer == nullptr) {
        m_lastPrinterName = printer->Name(); // the printer chosen when the page was made
    }
    m_printer = printer;
}

void VUvudiRoz::AdoptPrinterSettings() {
    if (m_printer != nullptr) {
        m_lastPrinterName = m_printer->Name();
    }
}

TPrinterDevice& VUvudiRoz::RequirePrinter() const {
    if (m_printer == nullptr) {
        throw std::logic_error("the report page has no printer");
    }
    return *m_printer;
}

void VUvudiRoz::SetUpPrinter() {
    TPrinterDevice& printer = RequirePrinter();
    if (printer.Name() != m_lastPrinterName) {
        // Another printer since the last job: it starts from its own defaults.
        printer.RestoreDefaults();
        m_lastPrinterName = printer.Name();
    }
    if (m_paperSize == TPaperSize::psNone) {
        if (OnSetPrinter) {
            OnSetPrinter(this);
        }
        return;
    }
    if (!printer.SetPaper(PageSizeOf(m_paperSize), m_orientation)) {
        RaiseLRError(lr_message::kPaperSetup);
    }
}

void VUvudiRoz::BeginDoc() {
    if (m_state == TReportState::rsPrinting) {
        RaiseLRError(lr_message::kPrinting);
    }
    if (m_state == TReportState::rsPreviewing) {
        EndPreview();
    }
    if (LastPage != 0 && LastPage < FirstPage) {
        LastPage = FirstPage;
        RaiseLRError(lr_message::kPageRange);
    }
    SetUpPrinter();
    TPrinterDevice& printer = RequirePrinter();
    printer.SetTitle(Title);
    if (!printer.BeginDoc()) {
        RaiseDeviceError(lr_message::kCannotStart, printer);
    }
    m_state = TReportState::rsPrinting;
    m_pageNumber = 0;
    if ((FirstPage > 1 || LastPage > 0) && !m_scratch) {
        m_scratch = std::make_unique<QImage>(1, 1, QImage::Format_Mono);
        m_scratch->fill(0);
    }
}

void VUvudiRoz::PrintPage() {
    if (m_state == TReportState::rsIdle) {
        RaiseLRError(lr_message::kNoBeginDoc);
    }
    ++m_pageNumber;
    TPrinterDevice& printer = RequirePrinter();
    TPrinterMetrics metrics;
    const bool answered = printer.Metrics(metrics) && metrics.DpiY > 0;
    const bool outside = m_pageNumber < FirstPage || (LastPage != 0 && m_pageNumber > LastPage);
    if (outside && m_state == TReportState::rsPrinting) {
        if (!m_scratch) { // a range set after BeginDoc
            m_scratch = std::make_unique<QImage>(1, 1, QImage::Format_Mono);
            m_scratch->fill(0);
        }
        if (!m_scratchPainter) {
            m_scratchPainter = std::make_unique<QPainter>(m_scratch.get());
        }
        m_printScale = 1.0;
        m_canvas = {m_scratchPainter.get(), false, 0};
    } else {
        m_printScale = answered ? metrics.DpiY / kScreenDpi : 1.0;
        m_canvas = {printer.Painter(), true, answered ? metrics.DpiY : 0};
    }
    // While printing, design coordinates count from the paper's corner and the printer's from
    // its printable area's corner.
    if (answered && m_state == TReportState::rsPrinting) {
        WalkPage(static_cast<int>(metrics.OffsetX / m_printScale),
                 static_cast<int>(metrics.OffsetY / m_printScale));
    } else {
        WalkPage(0, 0);
    }
}

void VUvudiRoz::NewPage() {
    if (m_state != TReportState::rsPrinting || m_printer == nullptr || !m_printer->Printing()) {
        return;
    }
    if (m_pageNumber >= FirstPage && (LastPage == 0 || m_pageNumber < LastPage)) {
        m_printer->NewPage();
    }
}

void VUvudiRoz::EndDoc() {
    if (m_state == TReportState::rsPrinting) {
        m_state = TReportState::rsIdle;
        m_canvas = {};
        FreeScratch();
        if (m_printer != nullptr && !m_printer->EndDoc()) {
            RaiseDeviceError(lr_message::kCannotEnd, *m_printer);
        }
        return;
    }
    FreeScratch();
}

void VUvudiRoz::Abort() {
    if (m_state == TReportState::rsPrinting) {
        if (m_printer != nullptr) {
            m_printer->Abort();
        }
        m_state = TReportState::rsIdle;
        m_canvas = {};
    }
    FreeScratch();
}

void VUvudiRoz::FreeScratch() {
    m_scratchPainter.reset();
    m_scratch.reset();
}

void VUvudiRoz::BeginPreview() {
    if (m_state == TReportState::rsPrinting) {
        RaiseLRError(lr_message::kPreviewWhilePrinting);
    }
    m_state = TReportState::rsPreviewing;
    m_pageNumber = 0;
}

void VUvudiRoz::PreviewPage(QPainter& painter) {
    if (m_state != TReportState::rsPreviewing) {
        BeginPreview();
    }
    m_printScale = PreviewScale < 1 ? 1.0 : static_cast<double>(PreviewScale);
    const bool onPrinter = m_printer != nullptr && m_printer->Painter() == &painter;
    TPrinterMetrics metrics;
    const int printerDpi = onPrinter && m_printer->Metrics(metrics) ? metrics.DpiY : 0;
    m_canvas = {&painter, onPrinter, printerDpi};
    if (onPrinter) {
        painter.fillRect(0, 0, Width(), Height(), Qt::white);
    }
    ++m_pageNumber;
    WalkPage(0, 0);
}

void VUvudiRoz::EndPreview() {
    if (m_state == TReportState::rsPreviewing) {
        m_state = TReportState::rsIdle;
        m_canvas = {};
    }
    m_pageNumber = 0;
}

void VUvudiRoz::WalkPage(int shiftX, int shiftY) {
    for (TLRControl* child : ChildOrder()) {
        TCustomLRPanel* panel = child->AsPanel();
        if (panel == nullptr || !panel->Enabled()) {
            continue;
        }
        TEdgeRect rect = panel->BoundsRect();
        rect.Left -= shiftX;
        rect.Right -= shiftX;
        rect.Top -= shiftY;
        rect.Bottom -= shiftY;
        panel->PrintPanel(m_canvas, rect, m_printScale);
    }
}

} // namespace mirte
