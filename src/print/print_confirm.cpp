#include "print_confirm.h"

#include "layouts/report_form.h"
#include "report/qt_printer_device.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace mirte {

bool TQtPrintDialogRunner::Execute(bool pageRange, int pageCount, QPageRanges& pages) {
    // The paper is chosen here (the notice before asks for A4 or Letter): the page-size
    // properties are shown.
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize;
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
    pages = QPageRanges();
    pages.addRange(1, std::max(pageCount, 1));
    // A list such as "1,3" is the printer's page ranges; the dialog's from and to pages are
    // only its first and last page.
    if (pageRange && m_dialog.printRange() == QAbstractPrintDialog::PageRange &&
        !m_dialog.printer()->pageRanges().isEmpty()) {
        pages = m_dialog.printer()->pageRanges();
    }
    return true;
}

bool PrintConfirm(const TPrintConfirmation& c, QPageRanges& pages) {
    c.Ask(QCoreApplication::translate("PrintConfirm", kChoosePaperMessage), TAskButtons::Ok);
    if (!c.Dialog.Execute(c.PageRange, c.Form.PageCount(), pages)) {
        return false;
    }
    // What the page was made for. Only a change of it is one: another file to print to, or the
    // queue a second dialog still shows, gives the same page.
    const TReportRect paper = c.Form.PaperRectSeen;
    const TReportRect printable = c.Form.PrintableRectSeen;
    c.Form.ApplyLayoutOrientation();
    if (c.Form.PaperRectSeen != paper || c.Form.PrintableRectSeen != printable) {
        if (c.Refresh) {
            c.Refresh();
        }
        if (c.Ask(QCoreApplication::translate("PrintConfirm", kPrinterChangedMessage),
                  TAskButtons::OkCancel) != 1) {
            return false;
        }
    }
    // Pages past the last one are not printed; when nothing is left, the user hears why.
    const int last = c.Form.PageCount();
    QPageRanges existing;
    for (const QPageRanges::Range& range : pages.toRangeList()) {
        if (range.from <= last) {
            existing.addRange(range.from, std::min(range.to, last));
        }
    }
    if (existing.isEmpty()) {
        c.Ask(QCoreApplication::translate("PrintConfirm", kNoSuchPagesMessage), TAskButtons::Ok);
        return false;
    }
    pages = existing;
    return true;
}

} // namespace mirte
