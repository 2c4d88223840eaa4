#include "prt_jacket_print.h"

#include "form_building.h"
#include "report/geometry.h"

namespace mirte {

namespace {

constexpr TLineStyle kNone = TLineStyle::lsNone;
constexpr TLineStyle kSingle = TLineStyle::lsSingle;

using form::MakePanel;

TLRItem2* SpineTitle(TLRControl* parent, TEscapementStatus escapement, int left, int top, int width,
                     int height) {
    auto* title = form::Make<TLRItem2>(parent, left, top, width, height);
    title->Escapement = escapement;
    title->WordWrapNum = 1;
    title->SetFont(form::FontOfHeight(13));
    return title;
}

// A coloured, framed part of the card: a spine, the strip, the band.
template <class T> T* Filled(TLRControl* parent, int left, int top, int width, int height) {
    T* item = form::Make<T>(parent, left, top, width, height);
    item->Transparent = false;
    item->LineColor = Qt::black;
    form::SetLines(*item, kSingle, kSingle, kSingle, kSingle);
    return item;
}

} // namespace

QImage TurnedClockwise(const QImage& picture, int turns) {
    QImage turned = picture;
    const int quarter = jacket::QuarterTurns(turns);
    if (quarter != 0 && !turned.isNull()) {
        // RotateBitmap counts anticlockwise: 3 is a quarter clockwise.
        RotateBitmap(turned, 4 - quarter, Qt::white);
    }
    return turned;
}

TEdgeRect TprtJacketPrint::Box(int code, int box) {
    const int at = 6 + code * 16 + box * 4;
    return {JacketGeometry[at], JacketGeometry[at + 1], JacketGeometry[at + 2],
            JacketGeometry[at + 3]};
}

TprtJacketPrint::TprtJacketPrint(TPrinterDevice& printer) : TReportForm(printer) {
    Build();
    // The page is laid out when the dialog first pushes its choices in.
}

void TprtJacketPrint::Build() {
    VUvudiRoz& page = LightRep();
    page.Title = tr("バックカード印刷");
    page.SetOrientation(TPrinterOrientation::poLandscape);
    page.SetBounds(16, 8, 1123, 794);
    page.DisableAlign();
    BasePanel = MakePanel(&page, TLRAlign::laClient, 37, 37, 1049, 720);
    SpacePanel1 = MakePanel(BasePanel, TLRAlign::laTop, 0, 0, 1049, 100);
    SpacePanel2 = MakePanel(BasePanel, TLRAlign::laTop, 0, 100, 1049, 552);
    SpacePanel3 = MakePanel(BasePanel, TLRAlign::laClient, 0, 652, 1049, 68);
    SpacePanel4 = MakePanel(SpacePanel2, TLRAlign::laLeft, 0, 0, 81, 552);
    JacketPanel = MakePanel(SpacePanel2, TLRAlign::laLeft, 81, 0, 924, 552);

    JacketPanelLeft = MakePanel(JacketPanel, TLRAlign::laLeft, 0, 0, 69, 552);
    LJacketTitle = SpineTitle(JacketPanelLeft, TEscapementStatus::esLeft, 16, 92, 33, 304);

    JacketPanelCenter = MakePanel(JacketPanel, TLRAlign::laLeft, 69, 0, 544, 552);
    JacketTitle = form::Make<TLRItem2>(JacketPanelCenter, 120, 20, 297, 17);
    JacketTitle->Alignment = TTextAlignment::taCenter;
    JacketTitle->Layout = TTextLayout::tlBottom;
    JacketTitle->WordWrap = true;
    JacketTitleBack = form::Make<TLRItem>(JacketPanelCenter, 120, 44, 293, 17);
    JacketTitleBack->Layout = TTextLayout::tlBottom;
    JacketTitleBack->LineColor = Qt::black;
    JacketTitleBack->LineBottom = kSingle;
    JacketImage = form::Make<TLRImage>(JacketPanelCenter, 48, 72, 433, 121);
    JacketImage->Stretch = true;
    // On paper the original takes the picture's place for the page, where there is one.
    JacketPanelCenter->BeforePrint = [this](TLRControl*, const TEdgeRect&, TPrintStatus&) {
        const QImage original = PagePicture(m_original.Path);
        if (!original.isNull()) {
            m_assigned = JacketImage->Picture();
            JacketImage->SetPicture(TurnedClockwise(original, m_quarterTurns));
        }
    };
    JacketPanelCenter->AfterPrint = [this](TLRControl*) {
        if (!m_assigned.isNull()) {
            JacketImage->SetPicture(m_assigned);
            m_assigned = QImage();
        }
    };
    for (int i = 0; i < 4; ++i) {
        TLRItem* line = form::Make<TLRItem>(JacketPanelCenter, 36, 212 + 16 * i, 461, 17);
        line->LineColor = form::Silver;
        line->LineBottom = kSingle;
        JacketLine[static_cast<size_t>(i)] = line;
    }
    JacketPath = form::Make<TLRItem>(JacketPanelCenter, 28, 294, 481, 21);
    CJacketBack2 = Filled<TLRItem>(JacketPanelCenter, 319, 436, 157, 21);
    CJacketBack2->LineTop = kNone; // the band: open towards the ruled lines

    JacketPanelRight = MakePanel(JacketPanel, TLRAlign::laLeft, 613, 0, 60, 552);
    RJacketTitle = SpineTitle(JacketPanelRight, TEscapementStatus::esRight, 12, 108, 32, 256);
    JacketPanelRight2 = MakePanel(JacketPanel, TLRAlign::laLeft, 673, 0, 48, 552);

    // The card's own parts, drawn before the panels over them.
    CJacketBack = Filled<TLRItem>(JacketPanel, 756, 164, 81, 81);
    CJacketBack->SetColor(Qt::white);
    CJacketBack->LineLeft = CJacketBack->LineRight = kNone;
    LJacketBack = Filled<TLRItem>(JacketPanel, 732, 164, 25, 81);
    RJacketBack = Filled<TLRItem>(JacketPanel, 836, 164, 25, 81);
    RJacketBack2 = Filled<TLRItem2>(JacketPanel, 860, 168, 21, 73);
    RJacketBack2->Escapement = TEscapementStatus::esRight;
    RJacketBack2->WordWrapNum = 0;
    RJacketBack2->SetFont(form::FontOfHeight(13));
    page.EnableAlign();
    SetLabelColor(ColorFromValue(DefaultLabelColorValue));
}

void TprtJacketPrint::AssignPicture(const QImage& bitmap, int quarterTurns) {
    JacketImage->SetPicture(bitmap); // shared: a turn makes a new picture, never writes this one
    m_quarterTurns = quarterTurns;
}

std::vector<TPictureWant> TprtJacketPrint::PageWants(int) const {
    if (m_original.Path.isEmpty() || JacketImage->Picture().isNull()) {
        return {};
    }
    // Rendered upright, then turned as the picture shown is.
    TPictureWant want = m_original;
    const QSize box(JacketImage->Width(), JacketImage->Height());
    want.Box = m_quarterTurns % 2 != 0 ? box.transposed() : box;
    return {want};
}

void TprtJacketPrint::SetLabelColor(const QColor& color) {
    for (TLRControl* part :
         std::initializer_list<TLRControl*>{LJacketBack, CJacketBack2, RJacketBack, RJacketBack2}) {
        part->SetColor(color);
    }
}

void TprtJacketPrint::ApplySettings(const TJacketSettings& settings) {
    SetLabelColor(settings.LabelColor);
    for (TLRItem2* title : {JacketTitle, LJacketTitle, RJacketTitle}) {
        title->SetText(settings.Title);
    }
    JacketTitle->SetFont(settings.TitleFont.ToLRFont());
    LayoutCode = jacket::LayoutCode(settings.Layout);
    ApplyPrinterLayout();
}

void TprtJacketPrint::LayOutPage() {
    const TReportRect paper = PaperRect();
    const TReportRect printable = PrintableRect();
    const int faceWidth = JacketGeometry[0];
    const int faceHeight = JacketGeometry[1];
    const int spineWidth = JacketGeometry[2];
    const int stripWidth = JacketGeometry[4];
    const int stripHeight = JacketGeometry[5];
    VUvudiRoz& page = LightRep();
    page.SetBounds(page.Left(), page.Top(), paper.Width(), paper.Height());
    SpacePanel1->SetBounds(0, 0, printable.Width(), 0);
    SpacePanel2->SetBounds(0, 0, printable.Width(), faceHeight);
    SpacePanel3->SetBounds(0, faceHeight, printable.Width(),
                           std::max(printable.Height() - faceHeight, 0));
    // The card (spines and face) centred in the content width; the strip hangs to its right.
    const int content = SpacePanel2->Width();
    const int before = std::max((content - 2 * spineWidth - faceWidth) / 2, 0);
    SpacePanel4->SetBounds(0, 0, before, SpacePanel2->Height());
    JacketPanel->SetBounds(before, 0, content - before, SpacePanel2->Height());

    JacketPanelLeft->SetBounds(0, 0, spineWidth, faceHeight);
    JacketPanelCenter->SetBounds(spineWidth, 0, faceWidth, faceHeight);
    JacketPanelRight->SetBounds(spineWidth + faceWidth, 0, spineWidth, faceHeight);
    JacketPanelRight2->SetBounds(2 * spineWidth + faceWidth, 0, stripWidth, faceHeight);
    LJacketBack->SetBounds(0, 0, spineWidth, faceHeight);
    CJacketBack->SetBounds(spineWidth, 0, faceWidth, faceHeight);
    RJacketBack->SetBounds(spineWidth + faceWidth, 0, spineWidth, faceHeight);
    RJacketBack2->SetBounds(2 * spineWidth + faceWidth, (faceHeight - stripHeight) / 2, stripWidth,
                            stripHeight);
    PlaceFace();

    const TLRLayoutPanel& left = *JacketPanelLeft;
    LJacketTitle->SetBounds(left.Width() / 10, left.Height() / 24, left.Width() * 8 / 10,
                            left.Height() * 22 / 24 - 3);
    const TLRLayoutPanel& right = *JacketPanelRight;
    RJacketTitle->SetBounds(0, right.Height() / 20 - 3, right.Width() * 8 / 10,
                            right.Height() * 22 / 24 - 3);
}

void TprtJacketPrint::PlaceFace() {
    const int code = std::clamp(LayoutCode, 0, 3);
    const TEdgeRect title = Box(code, 0);
    JacketTitle->SetBounds(title.Left, title.Top, title.Width(), title.Height() * 19 / 20);
    JacketTitleBack->SetBounds(title.Left, title.Top, title.Width(), title.Height());
    if (!JacketImage->Picture().isNull()) {
        JacketImage->FitToRect(Box(code, 1));
    }
    const TEdgeRect lines = Box(code, 2);
    const int lineHeight = lines.Height() / 4;
    for (size_t i = 0; i < JacketLine.size(); ++i) {
        JacketLine[i]->SetBounds(lines.Left, lines.Top + static_cast<int>(i) * lineHeight,
                                 lines.Width(), lineHeight);
    }
    const TEdgeRect band = Box(code, 3);
    JacketPath->SetBounds(band.Left, band.Top, band.Width(), band.Height());
    CJacketBack2->SetBounds(band.Left, band.Top, band.Width(), band.Height());
}

QImage TprtJacketPrint::RenderSample(const QColor& background) {
    CurrentPage = 1;
    const QImage scratch = RenderCurrentPage(1, background);
    const VUvudiRoz& page = LightRep();
    const int left =
        page.MarginLeft() + SpacePanel2->Left() + JacketPanel->Left() + LJacketBack->Left();
    const int top = page.MarginTop() + SpacePanel2->Top() + LJacketBack->Top();
    const int right = page.MarginLeft() + SpacePanel2->Left() + JacketPanel->Left() +
                      RJacketBack2->Left() + RJacketBack2->Width() + 1;
    const int bottom =
        page.MarginTop() + SpacePanel2->Top() + RJacketBack->Top() + RJacketBack->Height() + 1;
    return scratch.copy(left, top, right - left, bottom - top);
}

void TprtJacketPrint::PrintJacket() {
    TSilentProgress quiet; // one page: nothing to show, nothing to cancel
    PrintPages(quiet);
}

bool TprtJacketPrint::Print(TPrintProgress&) {
    PrintJacket();
    return true;
}

} // namespace mirte
