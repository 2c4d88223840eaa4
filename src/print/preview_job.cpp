#include "preview_job.h"

#include "dialog_util.h"
#include "frm_preview.h"
#include "layouts/report_form.h"
#include "print_confirm.h"

#include <exception>

namespace mirte {

namespace {

// Puts the page counter back to 1 however the window is left.
class TBackToFirstPage {
public:
    explicit TBackToFirstPage(TReportForm& form, TfrmPreview& window)
        : m_form(form), m_window(window) {}
    ~TBackToFirstPage() {
        m_window.ClearPage();
        m_window.OnFirst = m_window.OnPrevious = m_window.OnNext = m_window.OnLast =
            m_window.OnPrintOut = nullptr;
        m_form.CurrentPage = 1;
    }
    TBackToFirstPage(const TBackToFirstPage&) = delete;
    TBackToFirstPage& operator=(const TBackToFirstPage&) = delete;

private:
    TReportForm& m_form;
    TfrmPreview& m_window;
};

} // namespace

void TPreviewJob::Preview() {
    TReportForm& form = m_parts.Form;
    TfrmPreview& window = m_parts.Window;
    const TBackToFirstPage restore(form, window);
    form.CurrentPage = 1;
    form.PageTotal = form.PageCount();
    ShowPreviewPage();
    window.OnPrevious = [this] { GoPrevPage(); };
    window.OnNext = [this] { GoNextPage(); };
    window.OnFirst = [this] { GoFirstPage(); };
    window.OnLast = [this] { GoLastPage(); };
    window.OnPrintOut = [this] { PrintFromPreview(); };
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
    window.exec();
}

void TPreviewJob::ShowPreviewPage() {
    const TWaitCursor wait;
    TReportForm& form = m_parts.Form;
    m_parts.Window.ShowPage(form.RenderPage(), form.CurrentPage, form.PageTotal);
}

void TPreviewJob::GoPrevPage() {
    if (m_parts.Form.CurrentPage > 1) {
        --m_parts.Form.CurrentPage;
    }
    ShowPreviewPage();
}

void TPreviewJob::GoNextPage() {
    if (m_parts.Form.CurrentPage < m_parts.Form.PageTotal) {
        ++m_parts.Form.CurrentPage;
    }
    ShowPreviewPage();
}

void TPreviewJob::GoFirstPage() {
    m_parts.Form.CurrentPage = 1;
    ShowPreviewPage();
}

void TPreviewJob::GoLastPage() {
    m_parts.Form.CurrentPage = m_parts.Form.PageTotal;
    ShowPreviewPage();
}

void TPreviewJob::PrintFromPreview() {
    TReportForm& form = m_parts.Form;
    QPageRanges pages;
    const TPrintConfirmation confirmation{form, m_parts.PrintDialog, m_parts.PageRange,
                                          [this] { ShowPreviewPage(); }, m_parts.Ask};
    if (!PrintConfirm(confirmation, pages)) {
        return;
    }
    const int viewed = form.CurrentPage;
    form.PrintRanges = pages;
    try {
        form.Print(m_parts.Progress);
    } catch (const std::exception& error) {
        if (OnPrintError) {
            OnPrintError(QString::fromUtf8(error.what()));
        }
    }
    // The run left the counters at its last page; the window still shows the page on view.
    form.CurrentPage = viewed;
    form.PageTotal = form.PageCount();
}

} // namespace mirte
