#include "demo_report.h"

#include <QPainter>

namespace mirte::cli {

namespace {

TLRFont DemoFont(int height, bool bold = false) {
    TLRFont font;
    font.Height = height;
    font.Bold = bold;
    return font;
}

constexpr TLineStyle kStyles[] = {TLineStyle::lsSingle, TLineStyle::lsHalf, TLineStyle::lsDouble};

} // namespace

QImage MakeDemoPicture(int number, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const int hue = (number * 47) % 360;
    for (int y = 0; y < size.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int value = 120 + 120 * x / std::max(size.width(), 1);
            const int saturation = 80 + 150 * y / std::max(size.height(), 1);
            line[x] = QColor::fromHsv(hue, saturation, value).rgb();
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(size.width(), size.height());
    const int penWidth = side / 40; // whole pixels
    painter.setPen(QPen(Qt::white, penWidth));
    painter.drawEllipse(QPoint(size.width() / 2, size.height() / 2), side / 3, side / 3);
    painter.drawLine(0, 0, size.width(), size.height());
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(side / 3);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::number(number));
    return image;
}

DemoReport::DemoReport(const DemoOptions& options)
    : m_options(options), m_page(std::make_unique<VUvudiRoz>()) {
    for (int i = 0; i < options.Pictures; ++i) {
        const QSize size = i % 2 == 0 ? options.PictureSize : options.PictureSize.transposed();
        m_pictures.push_back(MakeDemoPicture(i + 1, size));
    }
    Build();
}

DemoReport::DemoReport(DemoOptions options, std::vector<QImage> pictures)
    : m_options(options), m_page(std::make_unique<VUvudiRoz>()), m_pictures(std::move(pictures)) {
    m_options.Pictures = static_cast<int>(m_pictures.size());
    Build();
}

void DemoReport::Build() {
    m_page->Title = QStringLiteral("ミルテ 見本帳");
    m_page->SetFont(DemoFont(12));
    // Built the way a form is loaded: positions first, docking once at the end.
    m_page->DisableAlign();
    if (m_options.Bands) {
        BuildTitleBand();
        BuildTurnedTexts();
    }
    BuildGrid();
    m_page->EnableAlign();
}

int DemoReport::PageCount() const {
    const int perPage = m_options.Cols * m_options.Rows;
    return std::max(1, (m_options.Pictures + perPage - 1) / perPage);
}

void DemoReport::BuildTitleBand() {
    auto* band = TLRControl::Create<TLRLayoutPanel>(m_page.get());
    band->SetBounds(0, 0, 720, 72);
    auto* title = TLRControl::Create<TLRItem>(band);
    title->SetBounds(0, 4, 720, 56);
    title->SetText(QStringLiteral("ミルテ 見本帳 ― 報告エンジンの試し刷り"));
    title->SetFont(DemoFont(24, true));
    title->Alignment = TTextAlignment::taCenter;
    title->Layout = TTextLayout::tlCenter;
    title->LineBottom = TLineStyle::lsDouble;
    title->Transparent = false;
    title->SetColor(QColor(235, 242, 255));
    m_pageLabel = TLRControl::Create<TLRItem>(band);
    m_pageLabel->SetBounds(560, 60, 160, 12);
    m_pageLabel->SetFont(DemoFont(10));
    m_pageLabel->Alignment = TTextAlignment::taRightJustify;
    band->BeforePrint = [this](TLRControl*, const TEdgeRect&, TPrintStatus&) {
        m_pageLabel->SetText(
            QStringLiteral("%1 / %2 ページ").arg(m_pageIndex + 1).arg(PageCount()));
    };
}

void DemoReport::BuildTurnedTexts() {
    auto* band = TLRControl::Create<TLRLayoutPanel>(m_page.get());
    band->SetLRAlign(TLRAlign::laBottom);
    band->SetBounds(0, 900, 720, 150);
    struct Turn {
        TEscapementStatus escapement;
        const char* text;
        TEdgeRect box;
    };
    const Turn turns[] = {
        {TEscapementStatus::esNormal, "横書き：左から右へ", {10, 20, 250, 60}},
        {TEscapementStatus::esLeft, "左回り：下から上へ", {280, 10, 330, 140}},
        {TEscapementStatus::esTurn, "逆さま：右から左へ", {360, 20, 600, 60}},
        {TEscapementStatus::esRight, "右回り：上から下へ", {640, 10, 690, 140}},
    };
    for (const Turn& t : turns) {
        auto* item = TLRControl::Create<TLRItem2>(band);
        item->SetBounds(t.box.Left, t.box.Top, t.box.Width(), t.box.Height());
        item->Escapement = t.escapement;
        item->SetText(QString::fromUtf8(t.text));
        item->SetFont(DemoFont(16));
        item->LineTop = item->LineLeft = item->LineRight = item->LineBottom = TLineStyle::lsHalf;
    }
    auto* note = TLRControl::Create<TLRItem2>(band);
    note->SetBounds(10, 80, 250, 60);
    note->WordWrap = true;
    note->WordWrapNum = 2;
    note->Layout = TTextLayout::tlBottom;
    note->SetText(QStringLiteral("折り返しは二行まで：この長い説明文は三行目以降が描かれません。"
                                 "三行目はここから先の部分です。"));
    note->LineBottom = TLineStyle::lsSingle;
}

void DemoReport::BuildGrid() {
    auto* grid = TLRControl::Create<TLRGridPanel>(m_page.get());
    grid->SetLRAlign(TLRAlign::laClient);
    grid->SetBounds(0, 100, 720, 700);
    grid->SetColCount(m_options.Cols);
    grid->SetRowCount(m_options.Rows);
    m_frame = TLRControl::Create<TLRItem>(grid);
    m_picture = TLRControl::Create<TLRImage>(grid);
    m_picture->Stretch = true;
    m_caption = TLRControl::Create<TLRItem>(grid);
    m_caption->Alignment = TTextAlignment::taCenter;
    m_caption->SetFont(DemoFont(11));
    grid->OnPrintPanel = [this](TLRControl*, int col, int row, const TEdgeRect& cell,
                                TPrintStatus& status) { FillCell(col, row, cell, status); };
}

void DemoReport::FillCell(int col, int row, const TEdgeRect& cell, TPrintStatus& status) {
    const int index = m_pageIndex * m_options.Cols * m_options.Rows + row * m_options.Cols + col;
    if (index >= static_cast<int>(m_pictures.size())) {
        status = TPrintStatus::stSkip;
        return;
    }
    // Items are sized from the cell's width and height only.
    const int w = cell.Width();
    const int h = cell.Height();
    const TLineStyle style = kStyles[index % 3];
    m_frame->SetBounds(2, 2, w - 4, h - 4);
    m_frame->LineTop = m_frame->LineLeft = m_frame->LineRight = m_frame->LineBottom = style;
    const int captionHeight = std::min(18, h / 4);
    m_picture->SetPicture(m_pictures[index]);
    m_picture->FitToRect({8, 8, w - 8, h - 10 - captionHeight});
    m_caption->SetBounds(4, h - 6 - captionHeight, w - 8, captionHeight);
    m_caption->SetText(QStringLiteral("写真 %1 ― Tom & Jerry.jpg").arg(index + 1));
}

void DemoReport::Print() {
    VUvudiRoz& page = *m_page;
    page.BeginDoc();
    try {
        for (int i = 0; i < PageCount(); ++i) {
            m_pageIndex = i;
            page.PrintPage();
            if (i + 1 < PageCount()) {
                page.NewPage();
            }
        }
    } catch (...) {
        page.Abort();
        throw;
    }
    page.EndDoc();
}

QImage DemoReport::Preview(int pageNo, int scale) {
    VUvudiRoz& page = *m_page;
    QImage image(page.Width() * scale, page.Height() * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_pageIndex = std::clamp(pageNo, 1, PageCount()) - 1;
    page.PreviewScale = scale;
    page.BeginPreview();
    page.PreviewPage(painter);
    page.EndPreview();
    return image;
}

} // namespace mirte::cli
