#include "print_windows.h"

#include "dialog_util.h"
#include "frm_contact_sheet_print.h"
#include "frm_jacket_print.h"
#include "frm_preview.h"
#include "frm_print_thumbnail.h"
#include "grid_item_source.h"
#include "layouts/prt_contact_sheet_print.h"
#include "layouts/prt_jacket_print.h"
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

    // Each layout: its report form first (the dialog's creation already pushes its choices
    // into it), its preview, its dialog.
    const auto previewOf = [&](TReportForm& form, bool pageRange) {
        auto job = std::make_unique<TPreviewJob>(TPreviewJob::TParts{
            form, *m_preview, *m_previewRunner, shared.Progress, shared.Ask, pageRange});
        job->OnPrintError = [ask = shared.Ask](const QString& message) {
            ask(message, TAskButtons::Ok);
        };
        return job;
    };
    const auto partsWith = [&](TPreviewJob& preview) {
        return TLayoutDialogParts{shared.Settings, *m_sharedRunner, shared.Progress, preview,
                                  shared.Ask};
    };
    m_prtThumbnailPrint = std::make_unique<TprtThumbnailPrint>(shared.Cache, *m_printer);
    m_thumbnailPreview = previewOf(*m_prtThumbnailPrint, true);
    m_frmPrintThumbnail =
        new TfrmPrintThumbnail(*m_prtThumbnailPrint, partsWith(*m_thumbnailPreview), &owner);
    m_prtJacketPrint = std::make_unique<TprtJacketPrint>(*m_printer);
    m_jacketPreview = previewOf(*m_prtJacketPrint, false);
    m_frmJacketPrint = new TfrmJacketPrint(*m_prtJacketPrint, partsWith(*m_jacketPreview), &owner);
    m_prtContactSheetPrint = std::make_unique<TprtContactSheetPrint>(shared.Cache, *m_printer);
    m_contactSheetPreview = previewOf(*m_prtContactSheetPrint, true);
    m_frmContactSheetPrint = new TfrmContactSheetPrint(*m_prtContactSheetPrint,
                                                       partsWith(*m_contactSheetPreview), &owner);
}

TPrintWindows::~TPrintWindows() {
    // The dialogs go with their owner; the forms they use go here, after them.
    delete m_frmPrintThumbnail;
    delete m_frmJacketPrint;
    delete m_frmContactSheetPrint;
    delete m_preview;
    delete m_sharedDialog;
}

void TPrintWindows::OpenWithItems(TLayoutDialog& dialog, const TThumbItemSource*& listView,
                                  const QString& folder) {
    {
        const TWaitCursor wait;
        listView = m_items.get();
        dialog.Prepare(folder); // lays the page out and renders the sample once
    }
    CentreWindow(dialog);
    dialog.exec();
}

void TPrintWindows::PrintThumbnail(const QString& folder, bool subfolders) {
    m_frmPrintThumbnail->SetSubfolders(subfolders);
    OpenWithItems(*m_frmPrintThumbnail, m_prtThumbnailPrint->ListView, folder);
}

void TPrintWindows::PrintJacket(const TPrintPicture& picture, const QString& folder) {
    {
        const TWaitCursor wait;
        m_frmJacketPrint->SetPicture(picture, folder);
    }
    CentreWindow(*m_frmJacketPrint);
    m_frmJacketPrint->exec();
}

void TPrintWindows::PrintContactSheet(const QString& folder) {
    OpenWithItems(*m_frmContactSheetPrint, m_prtContactSheetPrint->ListView, folder);
}

} // namespace mirte
