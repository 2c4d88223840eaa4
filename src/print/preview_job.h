#pragma once

#include "ask_user.h"

#include <functional>

namespace mirte {

class TPrintDialogRunner;
class TPrintProgress;
class TReportForm;
class TfrmPreview;

// A report form's preview in the one preview window: the page on view is the only one
// rendered; the window's buttons step through the pages and print, through the form's own
// print dialog. A paged layout (index card, contact sheet) offers page numbers when printing;
// the back card prints its one page.
class TPreviewJob {
public:
    struct TParts {
        TReportForm& Form;
        TfrmPreview& Window;
        TPrintDialogRunner& PrintDialog; // the form's own, used from the preview
        TPrintProgress& Progress;
        TAskUser Ask;
        bool PageRange = true;
    };
    explicit TPreviewJob(TParts parts) : m_parts(std::move(parts)) {}

    // Shows page 1 of PageCount() in the maximised window, modally; afterwards the window lets
    // go of the page and the form is back at page 1.
    void Preview();
    void ShowPreviewPage();
    void GoPrevPage();
    void GoNextPage();
    void GoFirstPage();
    void GoLastPage();
    // The preview window's print button.
    void PrintFromPreview();

    // Called with the error's text when printing fails (the job is aborted by then).
    std::function<void(const QString& message)> OnPrintError;

private:
    TParts m_parts;
};

} // namespace mirte
