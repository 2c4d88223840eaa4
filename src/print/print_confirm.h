#pragma once

#include "ask_user.h"
#include "report/printer_device.h"

#include <functional>

class QPrintDialog;

namespace mirte {

class TQtPrinterDevice;
class TReportForm;

// The print dialog as the confirmation before printing runs it.
class TPrintDialogRunner {
public:
    virtual ~TPrintDialogRunner() = default;
    // Shows the dialog for the application's printer; with `pageRange` it offers page numbers
    // 1 .. pageCount, all of them chosen. False when the user cancels; else fromPage and toPage
    // hold the pages chosen (1 and pageCount for all).
    virtual bool Execute(bool pageRange, int pageCount, int& fromPage, int& toPage) = 0;
};

// Qt's print dialog over the application's printer: its queues, and printing to a PDF file.
class TQtPrintDialogRunner : public TPrintDialogRunner {
public:
    TQtPrintDialogRunner(QPrintDialog& dialog, TQtPrinterDevice& printer)
        : m_dialog(dialog), m_printer(printer) {}
    bool Execute(bool pageRange, int pageCount, int& fromPage, int& toPage) override;
    QPrintDialog& Dialog() const { return m_dialog; }

private:
    QPrintDialog& m_dialog;
    TQtPrinterDevice& m_printer;
};

// The messages of the confirmation, word for word.
inline constexpr const char* kChoosePaperMessage = "用紙にはA4もしくはレターを選択してください。";
inline constexpr const char* kPrinterChangedMessage =
    "プリンタの設定が変わりました。A4かレターサイズで印刷してください。";

// What a print button runs before printing: the A4-or-Letter notice, the print dialog, the
// layout's orientation forced on the printer, the page laid out again; when the printer's
// state changed, `refresh` redraws what is on screen and the user must confirm the change
// with "OK". True to print, with fromPage and toPage as chosen.
struct TPrintConfirmation {
    TReportForm& Form;
    TPrintDialogRunner& Dialog;
    bool PageRange = true;
    std::function<void()> Refresh;
    TAskUser Ask;
};
bool PrintConfirm(const TPrintConfirmation& confirmation, int& fromPage, int& toPage);

} // namespace mirte
