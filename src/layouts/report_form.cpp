#include "report_form.h"

#include "page_pictures.h"
#include "report/lr_error.h"

#include <QPainter>
#include <algorithm>
#include <vector>

namespace mirte {

namespace {

const char* const kCannotSetPaper = QT_TRANSLATE_NOOP("TReportForm", "用紙設定ができません!!");

} // namespace

TReportForm::TReportForm(TPrinterDevice& printer)
    : m_printer(&printer), m_page(std::make_unique<VUvudiRoz>()) {
    m_page->SetPaperSize(TPaperSize::psNone); // the layout follows the printer's paper
    m_page->SetPrinter(m_printer);
    m_page->OnSetPrinter = [this](VUvudiRoz*) { LightRepSetPrinter(); };
}

TReportForm::~TReportForm() = default;

void TReportForm::SetPrinter(TPrinterDevice& printer) {
    m_printer = &printer;
    m_page->SetPrinter(m_printer);
}

bool TReportForm::AdoptPrinter() {
    bool changed = false;
    const QString name = m_printer->Name();
    if (name != PrinterNameSeen) {
        PrinterNameSeen = name;
        changed = true;
    }
    // What the user chose in the print dialog is what the job prints with.
    m_page->AdoptPrinterSettings();
    const TPrinterOrientation orientation = m_printer->Orientation();
    if (orientation != OrientationSeen) {
        m_page->SetOrientation(orientation);
        OrientationSeen = orientation;
        changed = true;
    }
    const TReportRect paper = GetPaperRect(*m_printer);
    if (paper != PaperRectSeen) {
        PaperRectSeen = paper;
        changed = true;
    }
    const TReportRect printable = GetPrintableRect(*m_printer);
    if (printable != PrintableRectSeen) {
        PrintableRectSeen = printable;
        changed = true;
    }
    return changed;
}

bool TReportForm::ApplyPrinterLayout() {
    const bool changed = AdoptPrinter();
    LayOutPage();
    return changed;
}

bool TReportForm::ApplyLayoutOrientation() {
    Printer().SetOrientation(LayoutOrientation());
    return ApplyPrinterLayout();
}

TReportRect TReportForm::PaperRect() const {
    if (PaperRectSeen.Width() > 0 && PaperRectSeen.Height() > 0) {
        return PaperRectSeen;
    }
    QSize a4 = VUvudiRoz::PaperExtent(TPaperSize::psA4);
    if (LayoutOrientation() == TPrinterOrientation::poLandscape) {
        a4.transpose();
    }
    return {0, 0, a4.width(), a4.height()};
}

TReportRect TReportForm::PrintableRect() const {
    if (PrintableRectSeen.Width() > 0 && PrintableRectSeen.Height() > 0 &&
        PaperRectSeen.Width() > 0) {
        return PrintableRectSeen;
    }
    return PaperRect();
}

void TReportForm::LightRepSetPrinter() {
    if (!m_printer->SetOrientation(OrientationSeen)) {
        throw ELRError(tr(kCannotSetPaper)); // the job does not start
    }
}

int TReportForm::PreviewScale() const {
    const int longer = std::max(m_page->Width(), m_page->Height());
    return longer > 0 ? std::max(PreviewPixels / longer, 1) : 1;
}

QImage TReportForm::RenderPage() {
    StartRun();
    return RenderCurrentPage(PreviewScale());
}

TReportForm::TPictureRun::TPictureRun(TReportForm& form, TPictureUse use, double devicePixels)
    : m_form(form) {
    m_form.m_pictures = std::make_unique<TPagePictures>(form.PictureCache(), form.PictureItems(),
                                                        use, devicePixels);
}

TReportForm::TPictureRun::~TPictureRun() {
    m_form.m_pictures.reset();
}

void TReportForm::AskPictures(int page) {
    if (m_pictures && page >= 1 && page <= PageCount()) {
        m_pictures->Ask(page, PageWants(page));
    }
}

QImage TReportForm::PagePicture(const QString& path) {
    return m_pictures ? m_pictures->Take(path) : QImage();
}

QImage TReportForm::RenderCurrentPage(int scale, const QColor& background) {
    // A sample or a preview shows thumbnails, fetched for the whole page at once.
    const TPictureRun pictures(*this, TPictureUse::Thumbnails, scale);
    AskPictures(CurrentPage);
    m_page->PreviewScale = scale;
    QImage bitmap(m_page->Width() * scale, m_page->Height() * scale, QImage::Format_RGB32);
    bitmap.fill(background);
    QPainter painter(&bitmap);
    m_page->BeginPreview();
    try {
        m_page->PreviewPage(painter);
    } catch (...) {
        m_page->EndPreview();
        throw;
    }
    m_page->EndPreview();
    return bitmap;
}

bool TReportForm::PrintPages(TPrintProgress& progress) {
    CurrentPage = 1;
    PageTotal = PageCount();
    std::vector<int> pages;
    for (int page = 1; page <= PageTotal; ++page) {
        if (PrintRanges.isEmpty() || PrintRanges.contains(page)) {
            pages.push_back(page);
        }
    }
    const int count = int(pages.size());
    StartRun();
    progress.Start();
    if (count == 0) {
        progress.Finish(); // no job for no page
        return true;
    }
    try {
        m_page->BeginDoc(); // sets the printer up through LightRepSetPrinter
        // The pictures at the paper's resolution, unless a draft is asked for; the next page's
        // are fetched while a page is drawn.
        TPrinterMetrics metrics;
        const double devicePixels = m_printer->Metrics(metrics) && metrics.DpiY > 0
                                        ? metrics.DpiY / 96.0 // design pixels are 1/96 inch
                                        : 1.0;
        const TPictureRun pictures(*this, DraftPrint ? TPictureUse::Thumbnails : TPictureUse::Paper,
                                   devicePixels);
        AskPictures(pages.front());
        for (int done = 1; done <= count; ++done) {
            CurrentPage = pages[std::size_t(done - 1)];
            if (done < count) {
                AskPictures(pages[std::size_t(done)]);
            }
            m_page->PrintPage();
            m_pictures->Release(CurrentPage + 1);
            progress.PagePrinted(done, count, done * 100 / count);
            if (progress.CancelRequested()) {
                m_page->Abort();
                progress.Finish();
                return false;
            }
            if (done < count) {
                m_page->NewPage();
            }
        }
        m_page->EndDoc();
    } catch (...) {
        m_page->Abort(); // nothing half done reaches the printer or the disk
        progress.Finish();
        throw;
    }
    progress.Finish();
    return true;
}

} // namespace mirte
