#pragma once

#include "lr_canvas.h"
#include "lr_control.h"
#include "printer_device.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

namespace mirte {

// The page of a report: paper and margins, the printer's set-up, and the print and preview
// state machine that walks the panels. Positions are design pixels (1/96 inch); the page is
// never shown itself, only through the pages it renders. The page sits on nothing: its owner
// keeps it. A page that is destroyed in the middle of a job aborts the job.
class VUvudiRoz : public TLRControl {
public:
    VUvudiRoz();
    ~VUvudiRoz() override;

    // Called at BeginDoc when PaperSize is psNone, so that the report sets the printer up.
    std::function<void(VUvudiRoz* sender)> OnSetPrinter;

    int MarginTop() const { return m_margins.Top; }
    int MarginLeft() const { return m_margins.Left; }
    int MarginRight() const { return m_margins.Right; }
    int MarginBottom() const { return m_margins.Bottom; }
    // Ignored when the value is the current one, not above 0, or half the page width or more.
    void SetMarginTop(int v) { SetMargin(m_margins.Top, v); }
    void SetMarginLeft(int v) { SetMargin(m_margins.Left, v); }
    void SetMarginRight(int v) { SetMargin(m_margins.Right, v); }
    void SetMarginBottom(int v) { SetMargin(m_margins.Bottom, v); }

    TPrinterOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TPrinterOrientation orientation);
    TPaperSize PaperSize() const { return m_paperSize; }
    void SetPaperSize(TPaperSize paper);
    QString Title;
    int FirstPage = 0; // the range sent to the printer; 0 is open on that side
    int LastPage = 0;

    // The printer used (not owned). Assigning null keeps the current one.
    TPrinterDevice* Printer() const { return m_printer; }
    void SetPrinter(TPrinterDevice* printer);
    // The printer's present settings are the ones to print with (the user chose them in the
    // print dialog): the next BeginDoc does not bring the printer's defaults back.
    void AdoptPrinterSettings();

    TReportState State() const { return m_state; }
    int PageNumber() const { return m_pageNumber; }
    double PrintScale() const { return m_printScale; }
    int PreviewScale = 1; // below 1 counts as 1
    int PaperWidth() const { return m_paperWidth; }
    int PaperHeight() const { return m_paperHeight; }
    // The drawing target of the page being rendered; null outside a page.
    TLRCanvas* Canvas() { return m_canvas.Painter ? &m_canvas : nullptr; }
    bool HasScratchBitmap() const { return m_scratch != nullptr; }

    void BeginDoc();
    void PrintPage();
    void NewPage();
    void EndDoc();
    void Abort();
    void BeginPreview();
    // Renders the next page onto `painter` at PreviewScale; the caller's image is
    // (PaperWidth x PreviewScale) x (PaperHeight x PreviewScale) and is not cleared here.
    void PreviewPage(QPainter& painter);
    void EndPreview();

    // The paper of a size, portrait, in design pixels; (0, 0) for psNone.
    static QSize PaperExtent(TPaperSize paper);

protected:
    void CheckParent(TLRControl* parent) const override;
    TEdgeRect ClientArea() const override;
    bool AdjustBounds(int& left, int& top, int& width, int& height) override;

private:
    void SetMargin(int& margin, int value);
    void ApplyPaperExtent();
    void SetUpPrinter();
    // Walks the panels, each moved left and up by (shiftX, shiftY) design pixels.
    void WalkPage(int shiftX, int shiftY);
    void FreeScratch();
    TPrinterDevice& RequirePrinter() const;

    TEdgeRect m_margins{36, 36, 36, 36};
    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    TPaperSize m_paperSize = TPaperSize::psA4;
    TPrinterDevice* m_printer = nullptr;
    QString m_lastPrinterName;
    TReportState m_state = TReportState::rsIdle;
    int m_pageNumber = 0;
    double m_printScale = 1.0;
    int m_paperWidth = 0;
    int m_paperHeight = 0;
    TLRCanvas m_canvas;
    std::unique_ptr<QImage> m_scratch;
    std::unique_ptr<QPainter> m_scratchPainter;
};

} // namespace mirte
