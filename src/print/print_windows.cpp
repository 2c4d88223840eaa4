#include "print_windows.h"

#include "dialog_util.h"
#include "frm_preview.h"
#include "frm_print_thumbnail.h"
#include "grid_item_source.h"
#include "layouts/prt_thumbnail_print.h"
#include "preview_job.h"
#include "print_confirm.h"
#include "report/qt_printer_device.h"

#include <QPrintDialog>

namespace mirte {

TPrintWindows::TPrintWindows(const TShared& shared)
    : m_printer(TQtPrinterDevice::ForPrinter(QString())),
      m_items(std::make_unique<TGridItemSource>(shared.Grid)) {
    QWidget& owner = shared.Owner;
    m_sharedDialog = new QPrintDialog(&m_printer->Printer(), &owner);
    m_sharedRunner = std::make_unique<TQtPrintDialogRunner>(*m_sharedDialog, *m_printer);
    m_preview = new TfrmPreview(&owner);
    m_previewDialog = new QPrintDialog(&m_printer->Printer(), m_preview);
    m_previewRunner = std::make_unique<TQtPrintDialogRunner>(*m_previewDialog, *m_printer);

    // The report form first: the dialog's creation already pushes its choices into it.
    m_prtThumbnailPrint = std::make_unique<TprtThumbnailPrint>(shared.Cache, *m_printer);
    m_thumbnailPreview = std::make_unique<TPreviewJob>(TPreviewJob::TParts{
        *m_prtThumbnailPrint, *m_preview, *m_previewRunner, shared.Progress, shared.Ask, true});
    m_thumbnailPreview->OnPrintError = [ask = shared.Ask](const QString& message) {
        ask(message, TAskButtons::Ok);
    };
    m_frmPrintThumbnail = new TfrmPrintThumbnail(
        TfrmPrintThumbnail::TParts{*m_prtThumbnailPrint, shared.Settings, *m_sharedRunner,
                                   shared.Progress, *m_thumbnailPreview, shared.Ask},
        &owner);
}

TPrintWindows::~TPrintWindows() {
    // The dialogs go with their owner; the forms they use go here, after them.
    delete m_frmPrintThumbnail;
    delete m_preview;
    delete m_sharedDialog;
}

void TPrintWindows::PrintThumbnail(const QString& folder) {
    {
        const TWaitCursor wait;
        m_prtThumbnailPrint->ListView = m_items.get();
        m_frmPrintThumbnail->ApplySettings();
        m_frmPrintThumbnail->Prepare(folder);
    }
    CentreWindow(*m_frmPrintThumbnail);
    m_frmPrintThumbnail->exec();
}

} // namespace mirte
