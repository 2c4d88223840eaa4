#pragma once

#include "contact_sheet_settings.h"
#include "report/lr_image.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"
#include "report_form.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>

namespace mirte {

class TThumbItemSource;
class TThumbnailDB;

// The contact sheet's report form: on portrait pages a title band, a grid of pictures (1 x 2 to
// 10 x 10) each with its file name (in a tree, with its folder) and a date line (the shooting
// date, else the file's time), and a coloured band with the folder path. The items fill the
// grid row by row in the grid's order; pictures come from the cache's thumbnails.
class TprtContactSheetPrint : public TReportForm {
    Q_DECLARE_TR_FUNCTIONS(TprtContactSheetPrint)

public:
    static constexpr int PathBandHeight = 30;
    static constexpr int ImageInset = 6;

    // The printer and the cache must outlive the form.
    TprtContactSheetPrint(TThumbnailDB& db, TPrinterDevice& printer);

    const TThumbItemSource* ListView = nullptr;
    bool ShowFileName = true;
    bool ShowDate = true;

    void SetCols(int n);
    void SetRows(int n);
    void SetLabelColor(const QColor& color);
    // Pushes the dialog's choices into the form, in the dialog's order: the layout's cells, the
    // label colour, the title and its font, the file-name size (for both lines and the path; a
    // size box text that is no number leaves them), the folder path, names and dates on or off.
    void ApplySettings(const TContactSheetSettings& settings, const QString& folderPath);

    int PageCount() const override;
    TPrinterOrientation LayoutOrientation() const override {
        return TPrinterOrientation::poPortrait;
    }
    // The dialog's sample: the whole of page 1 at scale 1.
    QImage RenderSample();

    TLRLayoutPanel* BasePanel = nullptr;
    TLRItem* ContactSheetBackColor = nullptr;
    TLRLayoutPanel* ContactSheetTitlePanel = nullptr;
    TLRItem2* ContactSheetTitle = nullptr;
    TLRItem2* ContactSheetTitleBack = nullptr;
    TLRGridPanel* ContactSheetPanel = nullptr;
    TLRItem* BackLine = nullptr;
    TLRItem* Comment1 = nullptr;
    TLRItem* Comment2 = nullptr;
    TLRImage* Image = nullptr;
    TLRLayoutPanel* PathPanel = nullptr;
    TLRItem* ContactSheetPath = nullptr;

protected:
    void LayOutPage() override;
    std::vector<TPictureWant> PageWants(int page) const override;
    TThumbnailDB* PictureCache() const override { return &m_db; }
    const TThumbItemSource* PictureItems() const override { return ListView; }

private:
    void Build();
    // The grid's cell event.
    void ContactSheetPanelPrintPanel(int col, int row, const TEdgeRect& rect);

    TThumbnailDB& m_db;
};

} // namespace mirte
