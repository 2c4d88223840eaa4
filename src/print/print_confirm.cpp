#include "print_confirm.h"

#include "layouts/report_form.h"
#include "report/qt_printer_device.h"

#include <QPrintDialog>
#include <QPrinter>

namespace mirte {

bool TQtPrintDialogRunner::Execute(bool pageRange, int pageCount, int& fromPage, int& toPage) {
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
    if (pageRange) {
        options |= QAbstractPrintDialog::PrintPageRange;
    }
    m_dialog.setOptions(options);
    m_dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    if (pageRange) {
        m_dialog.setMinMax(1, pageCount);
        m_dialog.setFromTo(1, pageCount);
    }
    const bool accepted = m_dialog.exec() == QDialog::Accepted;
    // The dialog may have changed the margins; the printable area is the printer's own.
    m_printer.UseSmallestMargins();
    if (!accepted) {
        return false;
    }
    fromPage = 1;
    toPage = pageCount;
    if (pageRange && m_dialog.printRange() == QAbstractPrintDialog::PageRange &&
        m_dialog.fromPage() > 0) {
        fromPage = m_dialog.fromPage();
        toPage = std::max(m_dialog.toPage(), fromPage);
    }
    return true;
}

bool PrintConfirm(const TPrintConfirmation& c, int& fromPage, int& toPage) {
    c.Ask(QString::fromUtf8(kChoosePaperMessage), TAskButtons::Ok);
    if (!c.Dialog.Execute(c.PageRange, c.Form.PageCount(), fromPage, toPage)) {
        return false;
    }
    if (c.Form.ApplyLayoutOrientation()) {
        if (c.Refresh) {
            c.Refresh();
        }
        if (c.Ask(QString::fromUtf8(kPrinterChangedMessage), TAskButtons::OkCancel) != 1) {
            return false;
        }
    }
    // The page count follows the paper no more than the layout does, but keep the range sane.
    fromPage = std::clamp(fromPage, 1, c.Form.PageCount());
    toPage = std::clamp(toPage, fromPage, c.Form.PageCount());
    return true;
}

} // namespace mirte
