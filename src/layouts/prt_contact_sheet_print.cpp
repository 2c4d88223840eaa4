#include "prt_contact_sheet_print.h"

#include "cache/item_facts.h"
#include "form_building.h"
#include "gui_font.h"
#include "thumb_item_source.h"
#include "util/common_text.h"

#include <exception>

namespace mirte {

namespace {

constexpr TLineStyle kSingle = TLineStyle::lsSingle;

using form::MakePanel;

} // namespace

TprtContactSheetPrint::TprtContactSheetPrint(TThumbnailDB& db, TPrinterDevice& printer)
    : TReportForm(printer), m_db(db) {
    Build();
    ApplyPrinterLayout(); // FormCreate
}

void TprtContactSheetPrint::Build() {
    VUvudiRoz& page = LightRep();
    page.Title = tr("コンタクトシート印刷");
    page.SetOrientation(TPrinterOrientation::poPortrait);
    page.SetBounds(16, 8, 794, 1123);
    page.DisableAlign();
    BasePanel = MakePanel(&page, TLRAlign::laClient, 37, 37, 720, 1049);
    ContactSheetBackColor = form::Make<TLRItem>(BasePanel, 0, 0, 720, 1049);
    ContactSheetBackColor->Transparent = false;
    ContactSheetBackColor->Layout = TTextLayout::tlCenter;

    ContactSheetTitlePanel = MakePanel(BasePanel, TLRAlign::laTop, 0, 0, 720, 100);
    ContactSheetTitle = form::Make<TLRItem2>(ContactSheetTitlePanel, 100, 16, 525, 53);
    ContactSheetTitle->Alignment = TTextAlignment::taCenter;
    ContactSheetTitle->Layout = TTextLayout::tlBottom;
    ContactSheetTitle->WordWrap = true;
    ContactSheetTitleBack = form::Make<TLRItem2>(ContactSheetTitlePanel, 120, 20, 525, 53);
    ContactSheetTitleBack->Alignment = TTextAlignment::taCenter;
    ContactSheetTitleBack->Layout = TTextLayout::tlBottom;
    ContactSheetTitleBack->LineColor = Qt::black;
    ContactSheetTitleBack->LineBottom = kSingle;
    ContactSheetTitleBack->WordWrapNum = 0;

    ContactSheetPanel =
        form::MakeDocked<TLRGridPanel>(BasePanel, TLRAlign::laTop, 0, 100, 720, 849);
    ContactSheetPanel->SetColCount(5);
    ContactSheetPanel->SetRowCount(7);
    ContactSheetPanel->PrintDirection = TPrintDirection::pdHorz;
    BackLine = form::Make<TLRItem>(ContactSheetPanel, 12, 8, 125, 117);
    BackLine->LineColor = form::Silver;
    form::SetLines(*BackLine, kSingle, kSingle, kSingle, kSingle);
    Comment1 = form::Make<TLRItem>(ContactSheetPanel, 20, 80, 105, 21);
    Comment1->Alignment = TTextAlignment::taCenter;
    Comment1->Layout = TTextLayout::tlBottom;
    Comment1->SetFont(form::FontOfHeight(11));
    Comment2 = form::Make<TLRItem>(ContactSheetPanel, 28, 108, 89, 17);
    Comment2->Alignment = TTextAlignment::taCenter;
    Comment2->SetFont(form::FontOfHeight(11));
    Image = form::Make<TLRImage>(ContactSheetPanel, 16, 12, 113, 69);
    Image->Stretch = true;
    ContactSheetPanel->OnPrintPanel = [this](TLRControl*, int col, int row, const TEdgeRect& rect,
                                             TPrintStatus&) {
        ContactSheetPanelPrintPanel(col, row, rect);
    };

    PathPanel = MakePanel(BasePanel, TLRAlign::laClient, 0, 949, 720, 100);
    ContactSheetPath = form::Make<TLRItem>(PathPanel, 0, 0, 720, 100);
    ContactSheetPath->Layout = TTextLayout::tlCenter;
    ContactSheetPath->SetFont(GuiFont()); // its size follows the file names
    page.EnableAlign();
    SetLabelColor(ColorFromValue(DefaultLabelColorValue));
}

void TprtContactSheetPrint::SetCols(int n) {
    ContactSheetPanel->SetColCount(n);
}

void TprtContactSheetPrint::SetRows(int n) {
    ContactSheetPanel->SetRowCount(n);
}

void TprtContactSheetPrint::SetLabelColor(const QColor& color) {
    ContactSheetBackColor->SetColor(color);
}

void TprtContactSheetPrint::ApplySettings(const TContactSheetSettings& settings,
                                          const QString& folderPath) {
    const auto [columns, rows] = contact_sheet::Cells(settings.Layout);
    SetCols(columns);
    SetRows(rows);
    SetLabelColor(settings.LabelColor);
    ContactSheetTitle->SetText(settings.Title);
    ContactSheetTitle->SetFont(settings.TitleFont.ToLRFont());
    int size = 0;
    if (TextToInt(settings.FileFontSize, size) && size > 0) {
        for (TLRItem* text : {Comment1, Comment2, ContactSheetPath}) {
            form::SetFontSize(*text, size);
        }
    }
    ContactSheetPath->SetText(folderPath);
    ShowFileName = settings.ShowFileName;
    ShowDate = settings.ShowDate;
}

int TprtContactSheetPrint::PageCount() const {
    if (ListView == nullptr) {
        return 1;
    }
    const int perPage = ContactSheetPanel->ColCount() * ContactSheetPanel->RowCount();
    return (ListView->Count() - 1) / perPage + 1;
}

void TprtContactSheetPrint::LayOutPage() {
    const TReportRect paper = PaperRect();
    VUvudiRoz& page = LightRep();
    page.SetBounds(page.Left(), page.Top(), paper.Width(), paper.Height());
    // The base panel fills the page inside its frame and margins.
    const int width = BasePanel->Width();
    const int height = BasePanel->Height();
    ContactSheetTitlePanel->SetBounds(0, 0, width, height / 18);
    const int gridTop = ContactSheetTitlePanel->Height();
    ContactSheetPanel->SetBounds(0, gridTop, width,
                                 std::max(height - gridTop - PathBandHeight, 10));
    PathPanel->SetBounds(0, gridTop + ContactSheetPanel->Height(), width, PathBandHeight);
    const TLRLayoutPanel& title = *ContactSheetTitlePanel;
    ContactSheetTitle->SetBounds(0, -12, title.Width(), title.Height() * 19 / 20 + 12);
    ContactSheetTitleBack->SetBounds(0, 0, title.Width(), title.Height());
    ContactSheetPath->SetBounds(23, 0, PathPanel->Width() - 46, PathPanel->Height());
    ContactSheetBackColor->SetBounds(PathPanel->Left(), PathPanel->Top(), PathPanel->Width(),
                                     PathPanel->Height());
}

void TprtContactSheetPrint::ContactSheetPanelPrintPanel(int col, int row, const TEdgeRect& rect) {
    if (ListView == nullptr) {
        return;
    }
    const int w = rect.Width();
    const int h = rect.Height();
    const int columns = ContactSheetPanel->ColCount();
    const int index =
        (CurrentPage - 1) * columns * ContactSheetPanel->RowCount() + row * columns + col;
    BackLine->SetBounds(4, 6, w - 6, h - 12);
    if (index >= ListView->Count()) {
        Comment1->SetText(QString());
        Comment2->SetText(QString());
        Image->SetPicture(QImage());
        return;
    }
    try {
        const TItemFacts facts = ListView->ItemFacts(index);
        // A picture that cannot be had leaves the frame empty; its name and date still print.
        Image->SetPicture(PagePicture(facts.FullPath));
        const TEdgeRect box{ImageInset, h / 10, w - ImageInset, h * 7 / 10};
        if (!Image->Picture().isNull()) {
            Image->FitToRect(box);
        }
        Comment1->SetBounds(ImageInset, box.Bottom, box.Width(), h / 10);
        // A tree's items name their folder below the one chosen.
        Comment1->SetText(ShowFileName ? NameWithFolder(facts) : QString());
        Comment2->SetBounds(Comment1->Left(), Comment1->Top() + Comment1->Height(), box.Width(),
                            h / 10);
        // The date the loader read: the shooting date, else the file's time (movies have none).
        Comment2->SetText(ShowDate ? facts.ShotOrFileTime().Text() : QString());
    } catch (const std::exception&) {
        Comment1->SetText(QString());
        Comment2->SetText(QString());
        Image->SetPicture(QImage());
    }
}

std::vector<TPictureWant> TprtContactSheetPrint::PageWants(int page) const {
    std::vector<TPictureWant> wants;
    if (ListView == nullptr) {
        return wants;
    }
    const TLRGridPanel& grid = *ContactSheetPanel;
    const int perPage = grid.ColCount() * grid.RowCount();
    // The cell's picture box as the cell event lays it out.
    const int w = grid.Width() / std::max(grid.ColCount(), 1);
    const int h = grid.Height() / std::max(grid.RowCount(), 1);
    const QSize box(std::max(w - 2 * ImageInset, 1), std::max(h * 7 / 10 - h / 10, 1));
    for (int index = (page - 1) * perPage; index < std::min(page * perPage, ListView->Count());
         ++index) {
        wants.push_back(WantOfItem(*ListView, index, box));
    }
    return wants;
}

QImage TprtContactSheetPrint::RenderSample() {
    CurrentPage = 1;
    return RenderCurrentPage(1);
}

} // namespace mirte
