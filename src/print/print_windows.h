#pragma once

#include "ask_user.h"
#include "layouts/print_picture.h"

#include <QImage>
#include <QString>
#include <memory>

class QPrintDialog;
class QWidget;

namespace mirte {

class IniFile;
class TGridItemSource;
class TLayoutDialog;
class TPreviewJob;
class TPrintProgress;
class TQtPrintDialogRunner;
class TQtPrinterDevice;
class TThumbItemSource;
class TThumbListView;
class TThumbnailDB;
class TfrmContactSheetPrint;
class TfrmJacketPrint;
class TfrmPreview;
class TfrmPrintThumbnail;
class TprtContactSheetPrint;
class TprtJacketPrint;
class TprtThumbnailPrint;

// The print side of the main window, made once when the window is made: the application's
// printer with the shared print dialog, the preview window, and each layout's report form and
// settings dialog. The window owns it; GUI thread only.
class TPrintWindows {
public:
    struct TShared {
        QWidget& Owner; // the main window: parent of every print window
        const TThumbListView& Grid;
        TThumbnailDB& Cache;
        IniFile& Settings;
        TPrintProgress& Progress; // the progress dialog
        TAskUser Ask;
    };
    explicit TPrintWindows(const TShared& shared);
    ~TPrintWindows();
    TPrintWindows(const TPrintWindows&) = delete;
    TPrintWindows& operator=(const TPrintWindows&) = delete;

    // The index card of the grid's items: the form takes the grid, the dialog its choices and
    // the folder, then it is shown modally. The load guard must have passed. `subfolders`: the
    // grid shows the folders below `folder` too (cards for each folder can be chosen).
    void PrintThumbnail(const QString& folder, bool subfolders = false);
    // The back card of one picture (null: the card prints without one), modally.
    void PrintJacket(const TPrintPicture& picture, const QString& folder);
    // The contact sheet of the grid's items, as the index card.
    void PrintContactSheet(const QString& folder);

    TQtPrinterDevice& Printer() const { return *m_printer; }
    QPrintDialog& SharedPrintDialog() const { return *m_sharedDialog; }
    TfrmPreview& Preview() const { return *m_preview; }
    TprtThumbnailPrint& PrtThumbnailPrint() const { return *m_prtThumbnailPrint; }
    TfrmPrintThumbnail& FrmPrintThumbnail() const { return *m_frmPrintThumbnail; }
    TprtJacketPrint& PrtJacketPrint() const { return *m_prtJacketPrint; }
    TfrmJacketPrint& FrmJacketPrint() const { return *m_frmJacketPrint; }
    TprtContactSheetPrint& PrtContactSheetPrint() const { return *m_prtContactSheetPrint; }
    TfrmContactSheetPrint& FrmContactSheetPrint() const { return *m_frmContactSheetPrint; }

private:
    // Hands the grid's items to a paged layout's form, prepares its dialog, shows it modally.
    void OpenWithItems(TLayoutDialog& dialog, const TThumbItemSource*& listView,
                       const QString& folder);

    std::unique_ptr<TQtPrinterDevice> m_printer;
    std::unique_ptr<TGridItemSource> m_items;
    QPrintDialog* m_sharedDialog = nullptr; // the windows are children of the owner
    TfrmPreview* m_preview = nullptr;
    QPrintDialog* m_previewDialog = nullptr; // the forms' own print dialog, over the preview
    std::unique_ptr<TQtPrintDialogRunner> m_sharedRunner;
    std::unique_ptr<TQtPrintDialogRunner> m_previewRunner;
    std::unique_ptr<TprtThumbnailPrint> m_prtThumbnailPrint;
    std::unique_ptr<TPreviewJob> m_thumbnailPreview;
    TfrmPrintThumbnail* m_frmPrintThumbnail = nullptr;
    std::unique_ptr<TprtJacketPrint> m_prtJacketPrint;
    std::unique_ptr<TPreviewJob> m_jacketPreview;
    TfrmJacketPrint* m_frmJacketPrint = nullptr;
    std::unique_ptr<TprtContactSheetPrint> m_prtContactSheetPrint;
    std::unique_ptr<TPreviewJob> m_contactSheetPreview;
    TfrmContactSheetPrint* m_frmContactSheetPrint = nullptr;
};

} // namespace mirte
