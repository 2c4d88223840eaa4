#pragma once

#include "ask_user.h"
#include "report/printer_device.h"

#include <QPageRanges>
#include <QtGlobal>
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
    // 1 .. pageCount, all of them chosen. False when the user cancels; else `pages` holds the
    // pages chosen as listed ("1,3", "2-3,5"; 1-pageCount for all).
    virtual bool Execute(bool pageRange, int pageCount, QPageRanges& pages) = 0;
};

// Qt's print dialog over the application's printer: its queues, and printing to a PDF file.
class TQtPrintDialogRunner : public TPrintDialogRunner {
public:
    TQtPrintDialogRunner(QPrintDialog& dialog, TQtPrinterDevice& printer)
        : m_dialog(dialog), m_printer(printer) {}
    bool Execute(bool pageRange, int pageCount, QPageRanges& pages) override;
    QPrintDialog& Dialog() const { return m_dialog; }

private:
    QPrintDialog& m_dialog;
    TQtPrinterDevice& m_printer;
};

// The messages of the confirmation, word for word (translated where shown).
inline constexpr const char* kChoosePaperMessage =
    QT_TRANSLATE_NOOP("PrintConfirm", "用紙にはA4もしくはレターを選択してください。");
inline constexpr const char* kPrinterChangedMessage = QT_TRANSLATE_NOOP(
    "PrintConfirm", "プリンタの設定が変わりました。A4かレターサイズで印刷してください。");
inline constexpr const char* kNoSuchPagesMessage =
    QT_TRANSLATE_NOOP("PrintConfirm", "指定されたページはありません。");

// What a print button runs before printing: the A4-or-Letter notice, the print dialog (with the
// paper to choose), the layout's orientation forced on the printer, the page laid out again;
// when the paper or its printable area is not what the page was made for, `refresh` redraws
// what is on screen and the user must confirm the change with "OK". True to print, with `pages` as
// chosen, less those past the last page (none left: the user is told, and nothing is printed).
struct TPrintConfirmation {
    TReportForm& Form;
    TPrintDialogRunner& Dialog;
    bool PageRange = true;
    std::function<void()> Refresh;
    TAskUser Ask;
};
bool PrintConfirm(const TPrintConfirmation& confirmation, QPageRanges& pages);

} // namespace mirte
