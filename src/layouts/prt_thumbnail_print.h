#pragma once

#include "index_card_settings.h"
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

// The index card's report form: two square cards of 454 x 454 design pixels side by side on a
// landscape page, each with a title band, a grid of n x n pictures with their file names and a
// label band with the folder path. The right card is filled first; a page holds 2·n² items in
// the grid's order. Pictures come from the cache's thumbnails.
class TprtThumbnailPrint : public TReportForm {
    Q_DECLARE_TR_FUNCTIONS(TprtThumbnailPrint)

public:
    static constexpr int CardSize = 454;
    static constexpr int TitleBandHeight = 32 * 15 / 16; // 30
    static constexpr int LabelBandHeight = 32;
    static inline const QColor CellColor{237, 237, 237};

    // The printer and the cache must outlive the form.
    TprtThumbnailPrint(TThumbnailDB& db, TPrinterDevice& printer);

    // The items to print; set before the dialog opens. Null prints empty cells.
    const TThumbItemSource* ListView = nullptr;
    bool ShowFileName = true;
    // The picture box of a cell, fixed by the first picture of a run (0: not yet).
    int ImageBoxWidth = 0;
    int ImageBoxHeight = 0;

    void SetCols(int n);
    void SetRows(int n);
    void SetLabelColor(const QColor& color);
    // Pushes the dialog's choices into the form, in the dialog's order: the layout's cells, the
    // label colour, both titles and their font, the folder path and the file-name size (the
    // size box's number; one that is no number leaves the sizes as they are), file names on
    // or off.
    void ApplySettings(const TIndexCardSettings& settings, const QString& folderPath);

    int PageCount() const override;
    TPrinterOrientation LayoutOrientation() const override {
        return TPrinterOrientation::poLandscape;
    }
    // The dialog's sample: page 1 at scale 1, cut to both cards with their cut lines (909 x 455).
    QImage RenderSample();

    // The components, named as the form names them.
    TLRLayoutPanel* BasePanel = nullptr;
    TLRLayoutPanel* SpacePanel1 = nullptr;
    TLRLayoutPanel* SpacePanel2 = nullptr;
    TLRLayoutPanel* SpacePanel3 = nullptr;
    TLRLayoutPanel* ThumbnailPanel = nullptr;
    TLRLayoutPanel* ThumbnailLeft = nullptr;
    TLRLayoutPanel* ThumbnailLeftUp = nullptr;
    TLRItem2* LTitle = nullptr;
    TLRItem* LTitleBack = nullptr;
    TLRGridPanel* ThumbnailLeftCenter = nullptr;
    TLRItem* LBackLine = nullptr;
    TLRItem* LComment = nullptr;
    TLRItem* LBackLine2 = nullptr;
    TLRImage* LImage = nullptr;
    TLRLayoutPanel* ThumbnailLeftDown = nullptr;
    TLRItem* LThumbnailPath = nullptr;
    TLRLayoutPanel* ThumbnailRight = nullptr;
    TLRLayoutPanel* ThumbnailRightUp = nullptr;
    TLRItem2* RTitle = nullptr;
    TLRItem* RTitleBack = nullptr;
    TLRGridPanel* ThumbnailRightCenter = nullptr;
    TLRItem* RBackLine = nullptr;
    TLRItem* RComment = nullptr;
    TLRItem* RBackLine2 = nullptr;
    TLRImage* RImage = nullptr;
    TLRLayoutPanel* ThumbnailRightDown = nullptr;
    TLRItem* RThumbnailPath = nullptr;
    TLRItem* LThumbnailOutLine = nullptr;
    TLRItem* RThumbnailOutLine = nullptr;
    TLRItem* LThumbnailBackColor = nullptr;
    TLRItem* RThumbnailBackColor = nullptr;

protected:
    void LayOutPage() override;
    void StartRun() override;
    std::vector<TPictureWant> PageWants(int page) const override;
    TThumbnailDB* PictureCache() const override { return &m_db; }
    const TThumbItemSource* PictureItems() const override { return ListView; }

private:
    // One card's parts, so that both cards share one cell routine.
    struct TCard {
        TLRLayoutPanel* Card = nullptr;
        TLRLayoutPanel* Up = nullptr;
        TLRItem2* Title = nullptr;
        TLRItem* TitleBack = nullptr;
        TLRGridPanel* Center = nullptr;
        TLRItem* BackLine = nullptr;
        TLRItem* Comment = nullptr;
        TLRItem* BackLine2 = nullptr;
        TLRImage* Image = nullptr;
        TLRLayoutPanel* Down = nullptr;
        TLRItem* ThumbnailPath = nullptr;
        TLRItem* OutLine = nullptr;
        TLRItem* BackColor = nullptr;
    };

    void Build();
    TCard BuildCard(TLRLayoutPanel* parent, bool right);
    void LayOutCard(TCard& card, int left);
    // The grid's cell event: one cell of a card (`right`: the card filled first).
    void PrintCell(const TCard& card, bool right, int col, int row, const TEdgeRect& rect);
    // The item shown in a cell of a card on a page (the current one unless given).
    int ItemIndex(bool right, int col, int row, int page = 0) const;

    TThumbnailDB& m_db;
    TCard m_left;
    TCard m_right;
};

} // namespace mirte
