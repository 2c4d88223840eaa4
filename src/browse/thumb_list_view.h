#pragma once

#include "thumb_geometry.h"
#include "thumbnail_data.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <atomic>
#include <functional>
#include <vector>

class QMenu;

namespace mirte {

// The thumbnail grid: equal cells in rows, each with the fitted picture and up to three text
// lines (the order's caption line, then the name on at most two lines), one selected cell,
// vertical scrolling. It owns no loading logic: it is told how many items there are and gets
// their facts and pictures.
//
// Threads: everything runs on the GUI thread, except SharedFirstVisibleIndex() and
// SharedLastVisibleIndex(), which the loader thread may read at any time.
class TThumbListView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int ScrollBarWidth = 21;
    static constexpr int ScrollDivisions = 16;
    static constexpr QRgb SelectedColor = 0x3399FF; // red 0x33, green 0x99, blue 0xFF
    static constexpr QRgb CellColor = 0xFFFFFF;

    explicit TThumbListView(QWidget* parent = nullptr);
    ~TThumbListView() override;

    // The thumbnail box in logical pixels; the cell follows it.
    void SetThumbWidth(int width);
    void SetThumbHeight(int height);
    int ThumbWidth() const { return m_geometry.ThumbWidth; }
    int ThumbHeight() const { return m_geometry.ThumbHeight; }
    int CellWidth() const { return m_geometry.CellWidth(); }
    int CellHeight() const { return m_geometry.CellHeight(); }
    int LineHeight() const { return m_geometry.LineHeight; }
    // The scroll bar's arrow step: a sixteenth of the thumbnail box.
    int ScrollStep() const { return m_scrollStep; }
    // A notch of the mouse wheel: a third of a row.
    int WheelStep() const { return m_geometry.WheelStep(); }

    // Resizes the item list: the items kept are emptied, the new ones are empty.
    void SetCount(int count);
    void Clear() { SetCount(0); }
    int Count() const { return static_cast<int>(m_items.size()); }
    const TThumbnailData& Item(int index) const { return m_items.at(index); }
    // The lines under the item's picture: the order's caption line, for an item of a subfolder
    // its folder, then its name (as many lines of it as are left of three).
    QStringList CaptionLines(int index) const;

    // The item's facts; the caption follows the name.
    void SetItemFacts(int index, const TItemFacts& facts);
    const TItemFacts& ItemFacts(int index) const { return m_items.at(index).Facts; }
    QImage ItemBitmap(int index) const { return m_items.at(index).Bitmap; }

    // Fits the picture into the item's display box and repaints the cell when in view.
    void SetThumbnail(int index, const QImage& picture);
    // Takes a bitmap made by MakeDisplayBitmap for this box and this screen (SetThumbnail makes
    // one from the picture the loader hands over); a bitmap made for another box is fitted again.
    void SetDisplayBitmap(int index, const QImage& bitmap);
    // Shows the file's own small image until SetThumbnail (or SetLoadFailed) brings the
    // thumbnail; a cell that has its thumbnail keeps it.
    void SetFirstImage(int index, const QImage& picture);
    // The item's picture could not be loaded: the cell shows the mark for it.
    void SetLoadFailed(int index, bool failed = true);

    int SelectedIndex() const { return m_selectedIndex; }
    // Selects the item (-1: none) and repaints the old and the new cell; an index at or past
    // Count() is ignored.
    void SetSelected(int index);

    void SetPopupMenu(QMenu* menu) { m_popupMenu = menu; }
    void SetShowItems(bool show);
    bool ShowItems() const { return m_showItems; }
    const QImage& NoFileBitmap() const { return m_noFileBitmap; }
    // The gaps between cells.
    void SetBackgroundColor(const QColor& color);

    // Sorts the items, stably: after(i, j) is true when item i must come after item j (i and
    // j are positions before the sort). The selection follows its item.
    void Sort(const std::function<bool(int i, int j)>& after);

    void Relayout();
    int Columns() const { return m_geometry.Columns(); }
    int Rows() const { return m_geometry.Rows(); }
    int ScrollRange() const { return m_geometry.ScrollRange(); }
    int ScrollPos() const { return m_geometry.ScrollPos; }
    void SetScrollPos(int position);
    int FirstVisibleIndex() const { return m_geometry.FirstVisibleIndex(); }
    int LastVisibleIndex() const { return m_geometry.LastVisibleIndex(); }
    // FirstVisibleIndex and LastVisibleIndex as last laid out, readable from any thread.
    int SharedFirstVisibleIndex() const { return m_sharedFirstVisible.load(); }
    int SharedLastVisibleIndex() const { return m_sharedLastVisible.load(); }
    TEdgeRect CellRect(int index) const { return m_geometry.CellRect(index); }
    int HitTest(int x, int y) const { return m_geometry.HitTest(x, y); }
    const TThumbGeometry& Geometry() const { return m_geometry; }
    // Scrolls so that the item's row is in view.
    void EnsureVisible(int index);

    void PaintAll() { viewport()->update(); }
    void PaintCell(int index);

signals:
    void SelectionChanged(int index);
    // A double click on an item (the main window opens the picture).
    void ItemActivated(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void PaintItem(QPainter& painter, int index) const;
    void PaintNoFile(QPainter& painter) const;
    void ResetItem(TThumbnailData& item);
    void UpdateGeometry();
    void MoveSelection(int index);

    std::vector<TThumbnailData> m_items;
    TThumbGeometry m_geometry;
    std::atomic<int> m_sharedFirstVisible{0};
    std::atomic<int> m_sharedLastVisible{-1};
    int m_scrollStep = 4; // the scroll bar's arrows
    int m_wheelRest = 0;  // parts of a wheel notch not scrolled yet, times the step
    int m_selectedIndex = -1;
    bool m_showItems = true;
    bool m_painting = false;
    bool m_sorting = false;
    QImage m_noFileBitmap;
    QMenu* m_popupMenu = nullptr;
};

} // namespace mirte
