#pragma once

#include "index_card_plan.h"
#include "index_card_settings.h"
#include "report/lr_image.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"
#include "report_form.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <optional>

namespace mirte {

class TThumbItemSource;
class TThumbnailDB;

// The index card's report form: two square cards of 454 x 454 design pixels side by side on a
// landscape page, each with a title band, a grid of n x n pictures with their file names and a
// label band with the folder path. The right card is filled first; a page holds 2·n² items in
// the grid's order. With EachFolder every folder of the items (a tree's) begins a card of its
// own, titled with its name. Pictures come from the cache's thumbnails.
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
    // Cards of their own for every folder of the items (see TIndexCardPlan).
    bool EachFolder = false;
    // The picture box of a cell, fixed by the first picture of a run (0: not yet).
    int ImageBoxWidth = 0;
    int ImageBoxHeight = 0;

    void SetCols(int n);
    void SetRows(int n);
    void SetLabelColor(const QColor& color);
    // Pushes the dialog's choices into the form, in the dialog's order: the layout's cells, the
    // label colour, both titles and their font, the folder path and the file-name size (the
    // size box's number; one that is no number leaves the sizes as they are), file names on
    // or off, cards for each folder.
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
    // The item shown in a cell of a card on a page (the current one unless given); -1 for none.
    int ItemIndex(bool right, int col, int row, int page = 0) const;
    // The card's number in the plan: two a page, the right one first.
    int CardIndex(bool right, int page = 0) const;
    // The card panel's print event: its title and label band, as the plan has them.
    void ShowCardTexts(const TCard& card, bool right);
    // The cards of the items as they are now: made again when a run begins, when the choices
    // change, and when the items' number, the cells or EachFolder are not those it was made for.
    const TIndexCardPlan& Plan() const;

    // What the plan was made for.
    struct TPlanBasis {
        const TThumbItemSource* Items = nullptr;
        int Count = 0;
        int Cells = 0;
        bool EachFolder = false;
        bool operator==(const TPlanBasis&) const = default;
    };
    TPlanBasis CurrentBasis() const;

    TThumbnailDB& m_db;
    TCard m_left;
    TCard m_right;
    TIndexCardPlan::TTexts m_texts; // as the choices give them
    mutable TIndexCardPlan m_plan;
    mutable std::optional<TPlanBasis> m_planBasis; // none: to be made again
};

} // namespace mirte
