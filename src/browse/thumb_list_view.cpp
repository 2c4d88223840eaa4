#include "thumb_list_view.h"

#include "display_bitmap.h"
#include "wrap_text.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <numeric>

namespace mirte {

namespace {

// The vertical bar of the grid, as wide as the strip the layout keeps for it. The wheel over it
// scrolls as it does over the cells.
class TGridScrollBar : public QScrollBar {
public:
    explicit TGridScrollBar(std::function<void(QWheelEvent*)> wheel)
        : QScrollBar(Qt::Vertical), m_wheel(std::move(wheel)) {}
    QSize sizeHint() const override {
        return {TThumbListView::ScrollBarWidth, QScrollBar::sizeHint().height()};
    }

protected:
    void wheelEvent(QWheelEvent* event) override { m_wheel(event); }

private:
    std::function<void(QWheelEvent*)> m_wheel;
};

// The mark of a picture that cannot be loaded: a frame with a red cross over it.
void PaintCannotLoad(QPainter& painter, const TEdgeRect& box) {
    const int side = std::min(box.Width(), box.Height()) / 2;
    const QRect mark(box.Left + (box.Width() - side) / 2, box.Top + (box.Height() - side) / 2, side,
                     side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 2));
    painter.setBrush(QColor(0xE8, 0xE8, 0xE8));
    painter.drawRect(mark);
    painter.setPen(
        QPen(QColor(0xD0, 0x20, 0x20), std::max(2, side / 12), Qt::SolidLine, Qt::RoundCap));
    const int inset = side / 5;
    painter.drawLine(mark.left() + inset, mark.top() + inset, mark.right() - inset,
                     mark.bottom() - inset);
    painter.drawLine(mark.right() - inset, mark.top() + inset, mark.left() + inset,
                     mark.bottom() - inset);
    painter.restore();
}

} // namespace

TThumbListView::TThumbListView(QWidget* parent) : QAbstractScrollArea(parent) {
    // The area takes the bar over.
    setVerticalScrollBar(new TGridScrollBar([this](QWheelEvent* event) { wheelEvent(event); }));
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setTracking(true);
    QFont cellFont = font();
    cellFont.setPixelSize(12); // 9 points on a 96 dots-per-inch screen
    viewport()->setFont(cellFont);
    viewport()->setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_geometry.LineHeight = 12;
    m_noFileBitmap = MakeNoFilePicture();
    SetBackgroundColor(Qt::black);
    SetThumbWidth(64);
    SetThumbHeight(64);
}

TThumbListView::~TThumbListView() = default;

void TThumbListView::SetThumbWidth(int width) {
    m_geometry.ThumbWidth = std::max(1, width);
    UpdateGeometry();
}

void TThumbListView::SetThumbHeight(int height) {
    m_geometry.ThumbHeight = std::max(1, height);
    m_scrollStep = std::max(1, m_geometry.ThumbHeight / ScrollDivisions);
    verticalScrollBar()->setSingleStep(m_scrollStep);
    UpdateGeometry();
}

void TThumbListView::ResetItem(TThumbnailData& item) {
    item.Reset();
}

void TThumbListView::SetCount(int count) {
    count = std::max(0, count);
    const auto kept = std::min(m_items.size(), static_cast<size_t>(count));
    for (size_t i = 0; i < kept; ++i) {
        ResetItem(m_items[i]);
    }
    m_items.resize(static_cast<size_t>(count));
    if (m_selectedIndex >= count) {
        m_selectedIndex = -1;
    }
    UpdateGeometry();
    PaintAll();
}

void TThumbListView::SetItemFacts(int index, const TItemFacts& facts) {
    TThumbnailData& item = m_items.at(static_cast<size_t>(index));
    item.Facts = facts;
    item.Caption = InfoText(facts, ieFileName);
}

void TThumbListView::SetThumbnail(int index, const QImage& picture) {
    SetDisplayBitmap(
        index, MakeDisplayBitmap(picture, {ThumbWidth(), ThumbHeight()}, devicePixelRatioF()));
}

void TThumbListView::SetDisplayBitmap(int index, const QImage& bitmap) {
    TThumbnailData& item = m_items.at(static_cast<size_t>(index));
    const QSizeF logical = bitmap.deviceIndependentSize();
    const bool fits =
        bitmap.devicePixelRatio() == devicePixelRatioF() &&
        (qRound(logical.width()) == ThumbWidth() || qRound(logical.height()) == ThumbHeight());
    item.Bitmap = fits || bitmap.isNull() ? bitmap
                                          : MakeDisplayBitmap(bitmap, {ThumbWidth(), ThumbHeight()},
                                                              devicePixelRatioF());
    item.LoadFailed = false;
    item.FirstImage = false;
    PaintCell(index);
}

void TThumbListView::SetFirstImage(int index, const QImage& picture) {
    const TThumbnailData& item = m_items.at(static_cast<size_t>(index));
    if (picture.isNull() || item.LoadFailed || (!item.Bitmap.isNull() && !item.FirstImage)) {
        return;
    }
    SetThumbnail(index, picture);
    m_items.at(static_cast<size_t>(index)).FirstImage = true;
}

void TThumbListView::SetLoadFailed(int index, bool failed) {
    TThumbnailData& item = m_items.at(static_cast<size_t>(index));
    item.LoadFailed = failed;
    if (failed) {
        item.Bitmap = QImage();
        item.FirstImage = false;
    }
    PaintCell(index);
}

void TThumbListView::SetSelected(int index) {
    if (index >= Count()) {
        return;
    }
    index = std::max(-1, index);
    const int old = m_selectedIndex;
    m_selectedIndex = index;
    PaintCell(old);
    PaintCell(index);
    if (old != index) {
        emit SelectionChanged(index);
    }
}

void TThumbListView::SetShowItems(bool show) {
    m_showItems = show;
    PaintAll();
}

void TThumbListView::SetBackgroundColor(const QColor& color) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, color);
    colours.setColor(QPalette::Base, color);
    setPalette(colours);
    viewport()->setPalette(colours);
    PaintAll();
}

void TThumbListView::Sort(const std::function<bool(int i, int j)>& after) {
    if (m_sorting) {
        return;
    }
    m_sorting = true;
    try {
        std::vector<int> order(m_items.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return after(b, a); });
        std::vector<TThumbnailData> sorted;
        sorted.reserve(m_items.size());
        int selected = -1;
        for (size_t position = 0; position < order.size(); ++position) {
            if (order[position] == m_selectedIndex) {
                selected = static_cast<int>(position);
            }
            sorted.push_back(std::move(m_items[static_cast<size_t>(order[position])]));
        }
        m_items = std::move(sorted);
        m_selectedIndex = selected;
    } catch (...) {
        m_sorting = false;
        throw;
    }
    m_sorting = false;
    PaintAll();
}

void TThumbListView::UpdateGeometry() {
    // The strip of the scroll bar stays reserved while there are items, shown or not.
    const QRect area = contentsRect();
    m_geometry.PaintWidth = area.width() - (m_items.empty() ? 0 : ScrollBarWidth);
    m_geometry.PaintHeight = area.height();
    Relayout();
}

void TThumbListView::Relayout() {
    m_geometry.Count = Count();
    QScrollBar* bar = verticalScrollBar();
    const int maximum = m_geometry.MaxScrollPos();
    bar->setPageStep(std::max(1, m_geometry.PaintHeight));
    bar->setRange(0, maximum);
    m_geometry.ScrollPos = std::clamp(bar->value(), 0, maximum);
    m_sharedFirstVisible.store(m_geometry.FirstVisibleIndex());
    m_sharedLastVisible.store(m_geometry.LastVisibleIndex());
}

void TThumbListView::SetScrollPos(int position) {
    verticalScrollBar()->setValue(position);
}

void TThumbListView::scrollContentsBy(int, int) {
    m_geometry.ScrollPos = verticalScrollBar()->value();
    m_sharedFirstVisible.store(m_geometry.FirstVisibleIndex());
    m_sharedLastVisible.store(m_geometry.LastVisibleIndex());
    PaintAll();
}

void TThumbListView::EnsureVisible(int index) {
    if (index >= 0 && index < Count()) {
        SetScrollPos(m_geometry.ScrollPosToShow(index));
    }
}

void TThumbListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateGeometry();
}

void TThumbListView::PaintCell(int index) {
    if (index < 0 || index >= Count()) {
        return;
    }
    const TEdgeRect cell = CellRect(index);
    viewport()->update(cell.Left, cell.Top, cell.Width() + 1, cell.Height() + 1);
}

void TThumbListView::paintEvent(QPaintEvent* event) {
    if (m_painting) {
        return;
    }
    m_painting = true;
    QPainter painter(viewport());
    const QColor background = palette().color(QPalette::Window);
    painter.fillRect(event->rect(), background);
    try {
        if (m_items.empty()) {
            PaintNoFile(painter);
        } else if (m_showItems) {
            const int last = std::min(LastVisibleIndex(), Count() - 1);
            const QRect dirty = event->rect();
            for (int i = std::max(0, FirstVisibleIndex()); i <= last; ++i) {
                const TEdgeRect cell = CellRect(i);
                if (dirty.intersects(QRect(cell.Left, cell.Top, cell.Width(), cell.Height()))) {
                    PaintItem(painter, i);
                }
            }
        }
    } catch (const std::exception&) {
        // A cell that cannot be drawn stays empty; the grid goes on working.
    }
    m_painting = false;
}

void TThumbListView::PaintNoFile(QPainter& painter) const {
    if (m_noFileBitmap.width() <= 0 || m_noFileBitmap.height() <= 0) {
        return;
    }
    const QSize size = m_noFileBitmap.deviceIndependentSize().toSize();
    const int x = std::max(0, (viewport()->width() - size.width()) / 2);
    const int y = std::max(0, (viewport()->height() - size.height()) / 2);
    painter.drawImage(QPoint(x, y), m_noFileBitmap);
}

QStringList TThumbListView::CaptionLines(int index) const {
    const TThumbnailData& item = m_items.at(static_cast<size_t>(index));
    QStringList lines{InfoText(item.Facts, ieSortLine)};
    const QFontMetrics metrics(viewport()->font());
    const int textWidth = CellWidth() - 2 * TThumbGeometry::CellMargin;
    if (!item.Facts.Folder.isEmpty()) {
        // A subfolder's item: its folder above its name, cut on the left, where the folders
        // nearest the top are.
        lines << metrics.elidedText(item.Facts.Folder + QLatin1Char('/'), Qt::ElideLeft, textWidth);
    }
    WrapText(item.Caption, metrics, lines, textWidth);
    return lines;
}

void TThumbListView::PaintItem(QPainter& painter, int index) const {
    const TThumbnailData& item = m_items[static_cast<size_t>(index)];
    const TEdgeRect cell = CellRect(index);
    const QColor fill(index == m_selectedIndex ? SelectedColor : CellColor);
    painter.fillRect(QRect(cell.Left, cell.Top, cell.Width(), cell.Height()), fill);

    const TEdgeRect box = m_geometry.ThumbBox(index);
    if (!item.Bitmap.isNull()) {
        const QSizeF logical = item.Bitmap.deviceIndependentSize();
        const TEdgeRect fitted = FitRect(qRound(logical.width()), qRound(logical.height()), box);
        painter.drawImage(QRect(fitted.Left, fitted.Top, fitted.Width(), fitted.Height()),
                          item.Bitmap);
    } else if (item.LoadFailed) {
        PaintCannotLoad(painter, box);
    }

    const QFontMetrics metrics(viewport()->font());
    const QStringList lines = CaptionLines(index);
    painter.setPen(Qt::black);
    painter.setFont(viewport()->font());
    const int lineHeight = m_geometry.LineHeight;
    for (int b = 0; b < lines.size(); ++b) {
        const int x = cell.Left + (CellWidth() - metrics.horizontalAdvance(lines[b])) / 2;
        const int y = cell.Top + 2 * TThumbGeometry::CellMargin + ThumbHeight() + b * lineHeight;
        painter.drawText(QRect(x, y, metrics.horizontalAdvance(lines[b]) + 1, lineHeight + 2),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, lines[b]);
    }
}

void TThumbListView::MoveSelection(int index) {
    if (Count() == 0) {
        return;
    }
    index = std::clamp(index, 0, Count() - 1);
    SetSelected(index);
    EnsureVisible(index);
}

void TThumbListView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    int hit = HitTest(at.x(), at.y());
    if (hit >= Count()) {
        hit = -1;
    }
    SetSelected(hit);
    setFocus(Qt::MouseFocusReason); // so that the wheel and the keys reach the grid
    event->accept();
}

void TThumbListView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int hit = HitTest(at.x(), at.y());
    if (event->button() == Qt::LeftButton && hit >= 0 && hit < Count()) {
        emit ItemActivated(hit);
    }
}

void TThumbListView::contextMenuEvent(QContextMenuEvent* event) {
    if (m_popupMenu != nullptr) {
        m_popupMenu->popup(event->globalPos());
    }
}

void TThumbListView::wheelEvent(QWheelEvent* event) {
    event->accept();
    int up = 0; // pixels towards the top
    if (!event->pixelDelta().isNull()) {
        up = event->pixelDelta().y(); // a touchpad: its own pixels
    } else {
        // 120 to a notch; a wheel that sends parts of a notch scrolls once they add up.
        m_wheelRest += event->angleDelta().y() * m_geometry.WheelStep();
        up = m_wheelRest / 120;
        m_wheelRest %= 120;
    }
    if (up != 0) {
        SetScrollPos(std::clamp(ScrollPos() - up, 0, m_geometry.MaxScrollPos()));
    }
}

void TThumbListView::keyPressEvent(QKeyEvent* event) {
    const int columns = Columns();
    const int current = m_selectedIndex;
    const int rowsInView = std::max(1, m_geometry.PaintHeight / (CellHeight() + 8));
    switch (event->key()) {
    case Qt::Key_Left:
        MoveSelection(current < 0 ? 0 : current - 1);
        break;
    case Qt::Key_Right:
        MoveSelection(current < 0 ? 0 : current + 1);
        break;
    case Qt::Key_Up:
        MoveSelection(current < 0 ? 0 : (current >= columns ? current - columns : current));
        break;
    case Qt::Key_Down:
        MoveSelection(current < 0 ? 0
                                  : (current + columns < Count() ? current + columns : current));
        break;
    case Qt::Key_Home:
        MoveSelection(0);
        break;
    case Qt::Key_End:
        MoveSelection(Count() - 1);
        break;
    case Qt::Key_PageUp:
        MoveSelection(current < 0 ? 0 : current - rowsInView * columns);
        break;
    case Qt::Key_PageDown:
        MoveSelection(current < 0 ? 0 : current + rowsInView * columns);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace mirte
