#include "prt_thumbnail_print.h"

#include "cache/item_facts.h"
#include "form_building.h"
#include "gui_font.h"
#include "report/geometry.h"
#include "thumb_item_source.h"
#include "util/common_text.h"

#include <exception>

namespace mirte {

namespace {

constexpr TLineStyle kNone = TLineStyle::lsNone;
constexpr TLineStyle kSingle = TLineStyle::lsSingle;

using form::Make;
using form::SetFontSize;
using form::SetLines;

using form::MakePanel;

} // namespace

TprtThumbnailPrint::TprtThumbnailPrint(TThumbnailDB& db, TPrinterDevice& printer)
    : TReportForm(printer), m_db(db) {
    Build();
    // FormCreate.
    LBackLine->SetColor(CellColor);
    RBackLine->SetColor(CellColor);
    ApplyPrinterLayout();
}

void TprtThumbnailPrint::Build() {
    VUvudiRoz& page = LightRep();
    page.Title = tr("インデックスカード印刷");
    page.SetOrientation(TPrinterOrientation::poLandscape);
    page.SetBounds(20, 12, 1123, 794);
    // Built as a form is loaded: the stored positions first, the docking once at the end.
    page.DisableAlign();
    BasePanel = MakePanel(&page, TLRAlign::laClient, 37, 37, 1019, 571);
    SpacePanel1 = MakePanel(BasePanel, TLRAlign::laTop, 0, 0, 1019, 52);
    SpacePanel2 = MakePanel(BasePanel, TLRAlign::laTop, 0, 52, 1019, 469);
    SpacePanel3 = MakePanel(BasePanel, TLRAlign::laClient, 0, 521, 1019, 50);
    ThumbnailPanel = MakePanel(SpacePanel2, TLRAlign::laLeft, 0, 0, 869, 469);
    m_left = BuildCard(ThumbnailPanel, false);
    m_right = BuildCard(ThumbnailPanel, true);

    // The cut lines round the cards and the coloured label bands, drawn before the cards.
    m_left.OutLine = LThumbnailOutLine = Make<TLRItem>(SpacePanel2, 904, 104, 49, 213);
    m_right.OutLine = RThumbnailOutLine = Make<TLRItem>(SpacePanel2, 952, 104, 49, 213);
    for (TLRItem* outline : {LThumbnailOutLine, RThumbnailOutLine}) {
        outline->SetColor(CellColor);
        outline->Transparent = true;
        outline->LineColor = Qt::black;
        SetLines(*outline, kSingle, kSingle, kSingle, kSingle);
    }
    m_left.BackColor = LThumbnailBackColor = Make<TLRItem>(SpacePanel2, 888, 400, 49, 25);
    m_right.BackColor = RThumbnailBackColor = Make<TLRItem>(SpacePanel2, 944, 400, 49, 25);
    for (TLRItem* band : {LThumbnailBackColor, RThumbnailBackColor}) {
        band->Transparent = false;
        band->LineColor = Qt::black;
        SetLines(*band, kNone, kSingle, kSingle, kSingle);
    }
    page.EnableAlign();
    SetLabelColor(ColorFromValue(DefaultLabelColorValue));

    // The folder path is written in the desktop's GUI font; its size follows the file names.
    for (TLRItem* path : {LThumbnailPath, RThumbnailPath}) {
        path->SetFont(GuiFont());
    }
}

TprtThumbnailPrint::TCard TprtThumbnailPrint::BuildCard(TLRLayoutPanel* parent, bool right) {
    TCard card;
    card.Card = right ? MakePanel(parent, TLRAlign::laClient, 389, 0, 480, 469)
                      : MakePanel(parent, TLRAlign::laLeft, 0, 0, 389, 469);
    const int width = card.Card->Width();
    card.Up = MakePanel(card.Card, TLRAlign::laTop, 0, 0, width, 100);
    card.Title =
        right ? Make<TLRItem2>(card.Up, 0, 0, 373, 61) : Make<TLRItem2>(card.Up, 0, 0, 321, 65);
    card.Title->Alignment = TTextAlignment::taCenter;
    card.Title->Layout = TTextLayout::tlBottom;
    card.Title->WordWrap = true;
    card.Title->Escapement = TEscapementStatus::esNormal;
    card.TitleBack = Make<TLRItem>(card.Up, 188, 72, 65, 17);

    card.Center = form::MakeDocked<TLRGridPanel>(card.Card, TLRAlign::laClient, 0, 100, width, 269);
    card.Center->SetColCount(4);
    card.Center->SetRowCount(3);
    card.Center->PrintDirection = TPrintDirection::pdHorz;
    card.BackLine =
        right ? Make<TLRItem>(card.Center, 4, 4, 81, 69) : Make<TLRItem>(card.Center, 0, 0, 77, 69);
    card.BackLine->Transparent = false;
    card.BackLine->LineColor = form::Silver;
    SetLines(*card.BackLine, kSingle, kSingle, kSingle, kSingle);
    card.Comment = right ? Make<TLRItem>(card.Center, 8, 52, 69, 13)
                         : Make<TLRItem>(card.Center, 4, 48, 65, 13);
    card.Comment->Alignment = TTextAlignment::taCenter;
    card.Comment->WordWrap = true;
    card.BackLine2 = right ? Make<TLRItem>(card.Center, 48, 68, 65, 17)
                           : Make<TLRItem>(card.Center, 36, 72, 65, 17);
    card.BackLine2->LineColor = Qt::black;
    card.Image = right ? Make<TLRImage>(card.Center, 8, 8, 69, 37)
                       : Make<TLRImage>(card.Center, 8, 4, 61, 37);
    card.Image->Stretch = true;

    card.Down = MakePanel(card.Card, TLRAlign::laBottom, 0, 369, width, 100);
    card.ThumbnailPath = Make<TLRItem>(card.Down, 60, 52, 221, 33);
    card.ThumbnailPath->Layout = TTextLayout::tlCenter;

    TCard& named = card; // the form's names for the parts
    if (right) {
        ThumbnailRight = named.Card;
        ThumbnailRightUp = named.Up;
        RTitle = named.Title;
        RTitleBack = named.TitleBack;
        ThumbnailRightCenter = named.Center;
        RBackLine = named.BackLine;
        RComment = named.Comment;
        RBackLine2 = named.BackLine2;
        RImage = named.Image;
        ThumbnailRightDown = named.Down;
        RThumbnailPath = named.ThumbnailPath;
    } else {
        ThumbnailLeft = named.Card;
        ThumbnailLeftUp = named.Up;
        LTitle = named.Title;
        LTitleBack = named.TitleBack;
        ThumbnailLeftCenter = named.Center;
        LBackLine = named.BackLine;
        LComment = named.Comment;
        LBackLine2 = named.BackLine2;
        LImage = named.Image;
        ThumbnailLeftDown = named.Down;
        LThumbnailPath = named.ThumbnailPath;
    }
    card.Center->OnPrintPanel = [this, right](TLRControl*, int col, int row, const TEdgeRect& rect,
                                              TPrintStatus&) {
        PrintCell(right ? m_right : m_left, right, col, row, rect);
    };
    // A card's texts are the page's: each folder's cards say which folder they show.
    card.Card->BeforePrint = [this, right](TLRControl*, const TEdgeRect&, TPrintStatus&) {
        ShowCardTexts(right ? m_right : m_left, right);
    };
    return card;
}

void TprtThumbnailPrint::SetCols(int n) {
    ThumbnailLeftCenter->SetColCount(n);
    ThumbnailRightCenter->SetColCount(n);
}

void TprtThumbnailPrint::SetRows(int n) {
    ThumbnailLeftCenter->SetRowCount(n);
    ThumbnailRightCenter->SetRowCount(n);
}

void TprtThumbnailPrint::SetLabelColor(const QColor& color) {
    LThumbnailBackColor->SetColor(color);
    RThumbnailBackColor->SetColor(color);
}

void TprtThumbnailPrint::ApplySettings(const TIndexCardSettings& settings,
                                       const QString& folderPath) {
    const int n = index_card::CellsPerSide(settings.Layout);
    SetCols(n);
    SetRows(n);
    SetLabelColor(settings.LabelColor);
    const TLRFont titleFont = settings.TitleFont.ToLRFont();
    for (TLRItem2* title : {LTitle, RTitle}) {
        title->SetText(settings.Title);
        title->SetFont(titleFont);
    }
    int size = 0;
    const bool sized = TextToInt(settings.FileFontSize, size) && size > 0;
    for (TLRItem* path : {LThumbnailPath, RThumbnailPath}) {
        path->SetText(folderPath);
        if (sized) {
            SetFontSize(*path, size);
        }
    }
    if (sized) {
        SetFontSize(*LComment, size);
        SetFontSize(*RComment, size);
    }
    ShowFileName = settings.ShowFileName;
    EachFolder = settings.EachFolder;
    m_texts = {settings.Title, folderPath};
    m_planBasis.reset();
}

int TprtThumbnailPrint::PageCount() const {
    if (ListView == nullptr) {
        return 1;
    }
    return Plan().PageCount();
}

TprtThumbnailPrint::TPlanBasis TprtThumbnailPrint::CurrentBasis() const {
    // Both cards always have the same cells (SetCols and SetRows set both).
    const TLRGridPanel& grid = *ThumbnailRightCenter;
    return {ListView, ListView != nullptr ? ListView->Count() : 0,
            grid.ColCount() * grid.RowCount(), EachFolder};
}

const TIndexCardPlan& TprtThumbnailPrint::Plan() const {
    const TPlanBasis basis = CurrentBasis();
    if (m_planBasis != basis) {
        m_plan = TIndexCardPlan(ListView, basis.Cells, m_texts, EachFolder);
        m_planBasis = basis;
    }
    return m_plan;
}

void TprtThumbnailPrint::LayOutPage() {
    const TReportRect paper = PaperRect();
    const TReportRect printable = PrintableRect();
    VUvudiRoz& page = LightRep();
    page.SetBounds(page.Left(), page.Top(), paper.Width(), paper.Height());
    const int width = printable.Width();
    const int above = std::max((printable.Height() - CardSize) / 2, 0);
    SpacePanel1->SetBounds(0, 0, width, above);
    SpacePanel2->SetBounds(0, above, width, CardSize);
    const int below = above + CardSize;
    SpacePanel3->SetBounds(0, below, width, std::max(printable.Height() - below, 0));
    ThumbnailPanel->SetBounds(0, 0, 2 * CardSize, CardSize);
    ThumbnailLeft->SetBounds(0, 0, CardSize, CardSize);
    ThumbnailRight->SetBounds(CardSize, 0, CardSize, CardSize);
    LayOutCard(m_left, 0);
    LayOutCard(m_right, CardSize);
}

void TprtThumbnailPrint::LayOutCard(TCard& card, int left) {
    card.Up->SetBounds(0, 0, CardSize, TitleBandHeight);
    card.Down->SetBounds(0, CardSize - LabelBandHeight, CardSize, LabelBandHeight);
    // The grid takes what the two bands leave (docked to fill).
    card.Center->SetBounds(0, TitleBandHeight, CardSize,
                           CardSize - TitleBandHeight - LabelBandHeight);
    card.Title->SetBounds(1, 1, card.Up->Width() - 3, card.Up->Height() - 1);
    card.TitleBack->SetBounds(0, 0, card.Up->Width(), card.Up->Height());
    card.OutLine->SetBounds(left, 0, CardSize, CardSize);
    const int bandWidth = card.Down->Width();
    const int bandHeight = card.Down->Height();
    card.ThumbnailPath->SetBounds(bandWidth / 20, 0, bandWidth * 18 / 20, bandHeight);
    card.BackColor->SetBounds(card.Card->Left() + card.Down->Left(),
                              card.Card->Top() + card.Down->Top() - 1, bandWidth, bandHeight + 1);
}

void TprtThumbnailPrint::StartRun() {
    ImageBoxWidth = 0;
    ImageBoxHeight = 0;
    m_planBasis.reset(); // the items may have changed since the last run
}

int TprtThumbnailPrint::CardIndex(bool right, int page) const {
    return ((page > 0 ? page : CurrentPage) - 1) * 2 + (right ? 0 : 1);
}

int TprtThumbnailPrint::ItemIndex(bool right, int col, int row, int page) const {
    const TLRGridPanel& grid = right ? *ThumbnailRightCenter : *ThumbnailLeftCenter;
    return Plan().ItemAt(CardIndex(right, page), row * grid.ColCount() + col);
}

void TprtThumbnailPrint::ShowCardTexts(const TCard& card, bool right) {
    const TPlannedCard& planned = Plan().Card(CardIndex(right));
    card.Title->SetText(planned.Title);
    card.ThumbnailPath->SetText(planned.Path);
}

std::vector<TPictureWant> TprtThumbnailPrint::PageWants(int page) const {
    std::vector<TPictureWant> wants;
    if (ListView == nullptr) {
        return wants;
    }
    for (const bool right : {true, false}) {
        const TLRGridPanel& grid = right ? *ThumbnailRightCenter : *ThumbnailLeftCenter;
        // The cell's picture box as PrintCell lays it out.
        const int cellWidth = grid.Width() / std::max(grid.ColCount(), 1);
        const int cellHeight = grid.Height() / std::max(grid.RowCount(), 1);
        const QSize box(std::max(cellWidth - 5, 1), std::max(cellHeight * 15 / 20, 1));
        for (int row = 0; row < grid.RowCount(); ++row) {
            for (int col = 0; col < grid.ColCount(); ++col) {
                const int index = ItemIndex(right, col, row, page);
                if (index >= 0) {
                    wants.push_back(WantOfItem(*ListView, index, box));
                }
            }
        }
    }
    return wants;
}

void TprtThumbnailPrint::PrintCell(const TCard& card, bool right, int col, int row,
                                   const TEdgeRect& rect) {
    if (ListView == nullptr) {
        return;
    }
    const int w = rect.Width();
    const int h = rect.Height();
    // The frame: silver between cells, black where a side is the card's own edge.
    const bool firstCol = col == 0;
    const bool lastCol = col == card.Center->ColCount() - 1;
    TLRItem& back = *card.BackLine;
    SetLines(back, kSingle, firstCol ? kNone : kSingle, lastCol ? kNone : kSingle, kSingle);
    const int top = row == 0 ? 1 : 0;
    back.SetBounds(0, top, w, h - top);
    TLRItem& edge = *card.BackLine2;
    edge.SetBounds(back.Left(), back.Top(), back.Width(), back.Height());
    SetLines(edge, kNone, firstCol ? kSingle : kNone, lastCol ? kSingle : kNone, kNone);

    TLRImage& image = *card.Image;
    TLRItem& comment = *card.Comment;
    const int index = ItemIndex(right, col, row);
    if (index < 0) {
        comment.SetText(QString());
        image.SetPicture(QImage());
        return;
    }
    try {
        const TItemFacts facts = ListView->ItemFacts(index);
        // A picture that cannot be had leaves the cell framed and empty, its name still
        // printed, so that the user sees which one is missing.
        image.SetPicture(PagePicture(facts.FullPath));
        const int boxLeft = back.Left() + 3;
        const int boxTop = back.Height() / 20 + back.Top();
        if (ImageBoxWidth == 0 && ImageBoxHeight == 0) {
            ImageBoxWidth = back.Width() - 5;
            ImageBoxHeight = back.Height() * 15 / 20;
        }
        const TEdgeRect box{boxLeft, boxTop, back.Left() + ImageBoxWidth, boxTop + ImageBoxHeight};
        if (!image.Picture().isNull()) {
            image.FitToRect(box);
        }
        if (ShowFileName) {
            comment.SetBounds(box.Left, box.Bottom, box.Width(), h * 5 / 20);
            // A tree's items name their folder, unless their card does.
            comment.SetText(EachFolder ? facts.Name : NameWithFolder(facts));
        } else {
            comment.SetText(QString());
        }
    } catch (const std::exception&) {
        comment.SetText(QString());
        image.SetPicture(QImage());
    }
}

QImage TprtThumbnailPrint::RenderSample() {
    CurrentPage = 1;
    StartRun();
    const QImage scratch = RenderCurrentPage(1);
    const VUvudiRoz& page = LightRep();
    const int left = page.MarginLeft() + SpacePanel2->Left() + LThumbnailOutLine->Left();
    const int top = page.MarginTop() + SpacePanel2->Top() + LThumbnailOutLine->Top();
    const int right = page.MarginLeft() + SpacePanel2->Left() + RThumbnailOutLine->Left() +
                      RThumbnailOutLine->Width() + 1;
    const int bottom = page.MarginTop() + SpacePanel2->Top() + RThumbnailOutLine->Top() +
                       RThumbnailOutLine->Height() + 1;
    return scratch.copy(left, top, right - left, bottom - top);
}

} // namespace mirte
