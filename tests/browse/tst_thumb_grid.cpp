// The thumbnail grid: its geometry at the three display sizes, fitting, wrapping, selection,
// scrolling, keys and painting.
#include "browse/display_bitmap.h"
#include "browse/thumb_geometry.h"
#include "browse/thumb_list_view.h"
#include "browse/wrap_text.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace mirte;

namespace {

TThumbGeometry Grid(int box, int width, int height, int count, int scroll = 0) {
    TThumbGeometry g;
    g.ThumbWidth = box;
    g.ThumbHeight = box;
    g.LineHeight = 12;
    g.PaintWidth = width;
    g.PaintHeight = height;
    g.Count = count;
    g.ScrollPos = scroll;
    return g;
}

QImage Filled(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TstThumbGrid : public QObject {
    Q_OBJECT

private slots:
    void cellSizesAtTheThreeBoxes_data();
    void cellSizesAtTheThreeBoxes();
    void cellRectsHitTestAndVisibleRows_data();
    void cellRectsHitTestAndVisibleRows();
    void narrowSurfaceStillHasOneColumn();
    void scrollRangeAndBarFollowTheRows();
    void thumbnailsAreFittedIntoTheBox();
    void displayBitmapsUseTheScreensPixelRatio();
    void wrapTextBreaksOnCharacters();
    void clicksSelectAndGapsClear();
    void keysMoveTheSelectionAndKeepItInView();
    void doubleClickActivates();
    void wheelMovesOneStep();
    void wheelScrollsByNotchesAndPixels_data();
    void wheelScrollsByNotchesAndPixels();
    void countChangesEmptyTheItems();
    void sortIsStableAndTheSelectionFollows();
    void paintsCellsPlaceholderAndCannotLoadMark();
};

void TstThumbGrid::cellSizesAtTheThreeBoxes_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("cellWidth");
    QTest::addColumn<int>("cellHeight");
    QTest::addColumn<int>("step");
    QTest::newRow("large") << 256 << 272 << 316 << 16;
    QTest::newRow("middle") << 128 << 144 << 188 << 8;
    QTest::newRow("small") << 96 << 112 << 156 << 6;
}

void TstThumbGrid::cellSizesAtTheThreeBoxes() {
    QFETCH(int, box);
    QFETCH(int, cellWidth);
    QFETCH(int, cellHeight);
    QFETCH(int, step);
    TThumbListView view;
    view.SetThumbWidth(box);
    view.SetThumbHeight(box);
    QCOMPARE(view.LineHeight(), 12);
    QCOMPARE(view.CellWidth(), cellWidth);
    QCOMPARE(view.CellHeight(), cellHeight);
    QCOMPARE(view.ScrollStep(), step);
}

void TstThumbGrid::cellRectsHitTestAndVisibleRows_data() {
    QTest::addColumn<int>("box");
    QTest::newRow("256") << 256;
    QTest::newRow("128") << 128;
    QTest::newRow("96") << 96;
}

void TstThumbGrid::cellRectsHitTestAndVisibleRows() {
    QFETCH(int, box);
    const int width = 700;
    const int height = 500;
    const int pitchX = box + 16 + 8;
    const int pitchY = box + 24 + 36 + 8;
    for (int scroll : {0, 37, pitchY, 3 * pitchY + 5}) {
        const TThumbGeometry g = Grid(box, width, height, 50, scroll);
        const int columns = width / pitchX;
        QCOMPARE(g.Columns(), columns);
        QCOMPARE(g.Rows(), (50 + columns - 1) / columns);
        for (int i : {0, 1, columns - 1, columns, 2 * columns + 1, 49}) {
            const TEdgeRect r = g.CellRect(i);
            QCOMPARE(r.Left, 8 + (i % columns) * pitchX);
            QCOMPARE(r.Top, (i / columns) * pitchY + 8 - scroll);
            QCOMPARE(r.Width(), box + 16);
            QCOMPARE(r.Height(), box + 60);
            // The cell's corners hit it; one pixel into the gap hits nothing.
            if (r.Top >= 0) {
                QCOMPARE(g.HitTest(r.Left, r.Top), i);
            }
            QCOMPARE(g.HitTest(r.Right - 1, r.Bottom - 1), i);
            QCOMPARE(g.HitTest(r.Left - 1, r.Bottom - 1), -1);
            QCOMPARE(g.HitTest(r.Left + 3, r.Bottom + 1), -1);
            QCOMPARE(g.HitTest(r.Right + 1, r.Top + 3), -1);
        }
        QCOMPARE(g.FirstVisibleIndex(), (scroll / pitchY) * columns);
        QCOMPARE(g.LastVisibleIndex(), ((scroll + height) / pitchY + 1) * columns - 1);
        // Every point in view lies in a visible cell or a gap.
        for (int y = 0; y < height; y += 17) {
            for (int x = 0; x < width; x += 23) {
                const int hit = g.HitTest(x, y);
                if (hit >= 0) {
                    QVERIFY(hit >= g.FirstVisibleIndex() && hit <= g.LastVisibleIndex());
                }
            }
        }
    }
}

void TstThumbGrid::narrowSurfaceStillHasOneColumn() {
    const TThumbGeometry g = Grid(128, 50, 300, 3);
    QCOMPARE(g.Columns(), 1);
    QCOMPARE(g.Rows(), 3);
    QCOMPARE(Grid(128, 0, 300, 3).Columns(), 1);
}

void TstThumbGrid::scrollRangeAndBarFollowTheRows() {
    // 10 items in 4 columns of the 64 box (4 x 88 = 352 wide) make 3 rows.
    TThumbListView view;
    view.resize(352 + TThumbListView::ScrollBarWidth + 10, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCount(10);
    QCOMPARE(view.Columns(), 4);
    QCOMPARE(view.Rows(), 3);
    QCOMPARE(view.ScrollRange(), 3 * (view.CellHeight() + 8));
    QVERIFY(view.ScrollRange() < 600);
    QVERIFY(!view.verticalScrollBar()->isVisible());
    view.resize(view.width(), view.ScrollRange() - 1);
    QTRY_VERIFY(view.verticalScrollBar()->isVisible());
    QCOMPARE(view.verticalScrollBar()->width(), TThumbListView::ScrollBarWidth);
    QCOMPARE(view.Columns(), 4); // the strip was kept for the bar all along
}

void TstThumbGrid::thumbnailsAreFittedIntoTheBox() {
    TThumbListView view;
    view.SetThumbWidth(128);
    view.SetThumbHeight(128);
    view.SetCount(2);
    view.SetThumbnail(0, Filled(1024, 512, Qt::red));
    view.SetThumbnail(1, Filled(50, 50, Qt::blue));
    const qreal ratio = view.devicePixelRatioF();
    QCOMPARE(view.Item(0).Bitmap.deviceIndependentSize().toSize(), QSize(128, 64));
    QCOMPARE(view.Item(1).Bitmap.deviceIndependentSize().toSize(), QSize(128, 128));
    QCOMPARE(view.Item(0).Bitmap.devicePixelRatio(), ratio);
    QCOMPARE(MakeDisplayBitmap(Filled(1024, 512, Qt::red), {96, 96}).size(), QSize(96, 48));
    QCOMPARE(MakeDisplayBitmap(Filled(300, 1000, Qt::red), {256, 256}).size(), QSize(76, 256));
    QVERIFY(MakeDisplayBitmap(QImage(), {96, 96}).isNull());
    // A bitmap made for another box is fitted again.
    view.SetDisplayBitmap(0, MakeDisplayBitmap(Filled(1024, 512, Qt::red), {96, 96}, ratio));
    QCOMPARE(view.Item(0).Bitmap.deviceIndependentSize().toSize(), QSize(128, 64));
}

void TstThumbGrid::displayBitmapsUseTheScreensPixelRatio() {
    const QImage sharp = MakeDisplayBitmap(Filled(1024, 768, Qt::green), {128, 128}, 2.0);
    QCOMPARE(sharp.size(), QSize(256, 192));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.deviceIndependentSize().toSize(), QSize(128, 96));
    const QImage half = MakeDisplayBitmap(Filled(1000, 1000, Qt::green), {96, 96}, 1.5);
    QCOMPARE(half.size(), QSize(144, 144));
    QCOMPARE(half.deviceIndependentSize().toSize(), QSize(96, 96));
}

void TstThumbGrid::wrapTextBreaksOnCharacters() {
    QFont font;
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const int width = 112; // the 128 box's text width

    QStringList lines{QString()};
    WrapText(QStringLiteral("a.jpg"), metrics, lines, width);
    QCOMPARE(lines, (QStringList{QString(), QStringLiteral("a.jpg")}));

    // A long Japanese name: two lines under the caption line, each within the width, and
    // what they hold is the start of the name.
    const QString name = QString::fromUtf8("とても長い日本語のファイル名の写真をここに置きました_"
                                           "二〇二六年十二月の旅行.jpg");
    lines = QStringList{QString()};
    WrapText(name, metrics, lines, width);
    QCOMPARE(lines.size(), 3);
    for (int i = 1; i < 3; ++i) {
        QVERIFY(!lines[i].isEmpty());
        QVERIFY(metrics.horizontalAdvance(lines[i]) <= width);
    }
    QVERIFY(name.startsWith(lines[1] + lines[2]));

    // Characters outside the basic plane (surrogate pairs) are never cut in half.
    QString emoji;
    for (int i = 0; i < 40; ++i) {
        emoji += QString::fromUcs4(U"\U0001F600\U00020B9F");
    }
    lines.clear();
    WrapText(emoji, metrics, lines, 40);
    QCOMPARE(lines.size(), 3);
    for (const QString& line : lines) {
        QVERIFY(!line.isEmpty());
        QVERIFY(!line.front().isLowSurrogate());
        QVERIFY(!line.back().isHighSurrogate());
    }
    QVERIFY(emoji.startsWith(lines.join(QString())));

    // A character wider than the line still gets a line of its own; nothing loops.
    lines.clear();
    WrapText(QStringLiteral("WWW"), metrics, lines, 1);
    QCOMPARE(lines, (QStringList{"W", "W", "W"}));

    // A full list takes nothing more.
    lines = QStringList{"x", "y", "z"};
    WrapText(QStringLiteral("more"), metrics, lines, width);
    QCOMPARE(lines.size(), 3);
}

void TstThumbGrid::clicksSelectAndGapsClear() {
    TThumbListView view;
    view.resize(500, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCount(5);
    QSignalSpy changes(&view, &TThumbListView::SelectionChanged);
    const TEdgeRect second = view.CellRect(1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(second.Left + 5, second.Top + 5));
    QCOMPARE(view.SelectedIndex(), 1);
    // A right click selects too (before the context menu opens).
    const TEdgeRect third = view.CellRect(2);
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(third.Left + 5, third.Top + 5));
    QCOMPARE(view.SelectedIndex(), 2);
    // The 8-pixel gap between two cells clears the selection.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      QPoint(second.Right + 4, second.Top + 9));
    QCOMPARE(view.SelectedIndex(), -1);
    QCOMPARE(changes.count(), 3);
    // Past the last item nothing is selected.
    const TEdgeRect beyond = view.CellRect(view.Columns() * 2 - 1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(beyond.Left + 5, beyond.Top + 5));
    QCOMPARE(view.SelectedIndex(), -1);
    view.SetSelected(7); // past the end: ignored
    QCOMPARE(view.SelectedIndex(), -1);
}

void TstThumbGrid::keysMoveTheSelectionAndKeepItInView() {
    TThumbListView view;
    view.SetThumbWidth(96);
    view.SetThumbHeight(96);
    view.resize(3 * 120 + TThumbListView::ScrollBarWidth + 5, 2 * 164 + 20);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCount(40);
    QCOMPARE(view.Columns(), 3);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.SelectedIndex(), 0); // nothing selected: the first item
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.SelectedIndex(), 4);
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Up);
    QCOMPARE(view.SelectedIndex(), 0);
    QTest::keyClick(&view, Qt::Key_Up); // stays in the first row
    QCOMPARE(view.SelectedIndex(), 0);
    QTest::keyClick(&view, Qt::Key_End);
    QCOMPARE(view.SelectedIndex(), 39);
    const auto inView = [&](int index) {
        const TEdgeRect r = view.CellRect(index);
        return r.Top >= 0 && r.Bottom <= view.viewport()->height();
    };
    QVERIFY(inView(39));
    QCOMPARE(view.ScrollPos(), view.verticalScrollBar()->maximum());
    QTest::keyClick(&view, Qt::Key_PageUp);
    QCOMPARE(view.SelectedIndex(), 39 - 2 * 3);
    QVERIFY(inView(view.SelectedIndex()));
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(view.SelectedIndex(), 0);
    QCOMPARE(view.ScrollPos(), 0);
    QTest::keyClick(&view, Qt::Key_PageDown);
    QCOMPARE(view.SelectedIndex(), 6);
    QVERIFY(inView(6));
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.SelectedIndex(), 12);
    QVERIFY(inView(12));
}

void TstThumbGrid::doubleClickActivates() {
    TThumbListView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCount(3);
    QSignalSpy activated(&view, &TThumbListView::ItemActivated);
    const TEdgeRect cell = view.CellRect(2);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(cell.Left + 4, cell.Top + 4));
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 2);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(cell.Right + 3, cell.Top + 4));
    QCOMPARE(activated.count(), 1);
}

void TstThumbGrid::wheelMovesOneStep() {
    TThumbListView view;
    view.SetThumbWidth(128);
    view.SetThumbHeight(128);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCount(30);
    const QPoint at(20, 20);
    QWheelEvent down(at, view.mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                     false);
    QApplication::sendEvent(view.viewport(), &down);
    QCOMPARE(view.ScrollPos(), 65); // a third of the 196-pixel row
    QCOMPARE(view.ScrollStep(), 8); // the scroll bar's arrows keep a sixteenth of the box
    QWheelEvent up(at, view.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, {}, Qt::NoScrollPhase,
                   false);
    QApplication::sendEvent(view.viewport(), &up);
    QApplication::sendEvent(view.viewport(), &up);
    QCOMPARE(view.ScrollPos(), 0);
    view.SetScrollPos(100000);
    QCOMPARE(view.ScrollPos(), view.ScrollRange() - view.viewport()->height());
    QCOMPARE(view.SharedFirstVisibleIndex(), view.FirstVisibleIndex());
    QVERIFY(view.FirstVisibleIndex() > 0);
}

void TstThumbGrid::wheelScrollsByNotchesAndPixels_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QList<int>>("angles"); // one wheel event each, in eighths of a degree
    QTest::addColumn<QPoint>("pixels");     // a touchpad's
    QTest::addColumn<bool>("overTheBar");
    QTest::addColumn<int>("position");
    const QList<int> notch{-120};
    QTest::newRow("middle") << 128 << notch << QPoint() << false << 65;
    QTest::newRow("large") << 256 << notch << QPoint() << false << 108; // 324 / 3
    QTest::newRow("small") << 96 << notch << QPoint() << false << 54;   // 164 / 3
    QTest::newRow("two notches at once") << 128 << QList<int>{-240} << QPoint() << false << 130;
    QTest::newRow("eighths of a notch add up")
        << 128 << QList<int>(8, -15) << QPoint() << false << 65;
    QTest::newRow("back up") << 128 << QList<int>{-240, 120} << QPoint() << false << 65;
    QTest::newRow("touchpad") << 128 << QList<int>{-24} << QPoint(0, -17) << false << 17;
    QTest::newRow("over the scroll bar") << 128 << notch << QPoint() << true << 65;
}

void TstThumbGrid::wheelScrollsByNotchesAndPixels() {
    QFETCH(int, box);
    QFETCH(QList<int>, angles);
    QFETCH(QPoint, pixels);
    QFETCH(bool, overTheBar);
    QFETCH(int, position);
    TThumbListView view;
    view.SetThumbWidth(box);
    view.SetThumbHeight(box);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetCount(60);
    QWidget* target =
        overTheBar ? static_cast<QWidget*>(view.verticalScrollBar()) : view.viewport();
    QTRY_VERIFY(target->isVisible());
    for (const int angle : angles) {
        const QPoint at(5, 5);
        QWheelEvent event(at, target->mapToGlobal(at), pixels, {0, angle}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }
    QCOMPARE(view.ScrollPos(), position);
}

void TstThumbGrid::countChangesEmptyTheItems() {
    TThumbListView view;
    view.SetCount(3);
    TItemFacts facts = NamedFacts(QStringLiteral("/p/a.jpg"));
    facts.FileSize = 10;
    facts.Shown = QSize(1, 1);
    facts.Loaded = true;
    view.SetItemFacts(0, facts);
    view.SetThumbnail(0, Filled(10, 10, Qt::red));
    view.SetLoadFailed(2);
    view.SetSelected(2);
    view.SetCount(2);
    QCOMPARE(view.Count(), 2);
    QCOMPARE(view.SelectedIndex(), -1);
    QVERIFY(view.Item(0).Bitmap.isNull());
    QVERIFY(view.Item(0).Caption.isEmpty());
    QCOMPARE(InfoTexts(view.Item(0).Facts), QStringList(InfoCount));
    view.SetCount(4);
    QCOMPARE(InfoTexts(view.ItemFacts(3)), QStringList(InfoCount));
    QVERIFY(!view.Item(3).LoadFailed);
}

void TstThumbGrid::sortIsStableAndTheSelectionFollows() {
    TThumbListView view;
    const QStringList names{"c", "a", "b", "a2", "c2"};
    const QStringList keys{"3", "1", "2", "1", "3"};
    view.SetCount(5);
    for (int i = 0; i < 5; ++i) {
        view.SetItemFacts(i, NamedFacts(names[i]));
    }
    view.SetSelected(2); // "b"
    view.Sort([&](int i, int j) { return keys[i].toInt() > keys[j].toInt(); });
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        order << view.Item(i).Caption;
    }
    QCOMPARE(order, (QStringList{"a", "a2", "b", "c", "c2"}));
    QCOMPARE(view.SelectedIndex(), 2);
    QCOMPARE(view.Item(view.SelectedIndex()).Caption, QStringLiteral("b"));
}

void TstThumbGrid::paintsCellsPlaceholderAndCannotLoadMark() {
    TThumbListView view;
    view.SetThumbWidth(96);
    view.SetThumbHeight(96);
    view.resize(500, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    // Empty: the placeholder centred on the black background.
    QImage shot = view.viewport()->grab().toImage();
    const QImage placeholder = view.NoFileBitmap();
    QVERIFY(placeholder.width() > 0);
    const QPoint corner((500 - placeholder.width()) / 2, (400 - placeholder.height()) / 2);
    QCOMPARE(QColor(shot.pixel(2, 2)), QColor(Qt::black));
    int drawn = 0;
    for (int y = 0; y < placeholder.height(); y += 7) {
        for (int x = 0; x < placeholder.width(); x += 7) {
            if (qAlpha(placeholder.pixel(x, y)) == 255) {
                ++drawn;
                QCOMPARE(shot.pixel(corner + QPoint(x, y)), placeholder.pixel(x, y));
            }
        }
    }
    QVERIFY(drawn > 50);
    // A window smaller than the placeholder puts it at the top-left corner.
    view.resize(100, 80);
    shot = view.viewport()->grab().toImage();
    const QPoint sample(placeholder.width() / 2, placeholder.height() / 2);
    if (sample.x() < 100 && sample.y() < 80) {
        QCOMPARE(shot.pixel(sample), placeholder.pixel(sample));
    }
    view.resize(500, 400);

    // Items: white cells, the selected one blue, the picture in its fitted place, the mark of
    // a picture that cannot be loaded.
    view.SetCount(3);
    view.SetThumbnail(0, Filled(200, 100, Qt::red));
    view.SetLoadFailed(1);
    view.SetSelected(2);
    shot = view.viewport()->grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const auto pixel = [&](int x, int y) {
        return QColor(shot.pixel(qRound(x * ratio), qRound(y * ratio)));
    };
    const TEdgeRect c0 = view.CellRect(0);
    QCOMPARE(pixel(c0.Left + 2, c0.Top + 2), QColor(Qt::white));
    const TEdgeRect fitted =
        FitRect(96, 48, {c0.Left + 8, c0.Top + 8, c0.Left + 104, c0.Top + 104});
    QCOMPARE(pixel(fitted.Left + 48, fitted.Top + 24), QColor(Qt::red));
    QCOMPARE(pixel(fitted.Left + 48, fitted.Top - 3), QColor(Qt::white));
    const TEdgeRect c2 = view.CellRect(2);
    QCOMPARE(pixel(c2.Left + 2, c2.Top + 2), QColor(0x33, 0x99, 0xFF));
    QCOMPARE(pixel(c0.Right + 4, c0.Top + 4), QColor(Qt::black)); // the gap
    const TEdgeRect c1 = view.CellRect(1);
    int reddish = 0;
    for (int y = c1.Top + 8; y < c1.Top + 104; ++y) {
        for (int x = c1.Left + 8; x < c1.Left + 104; ++x) {
            const QColor c = pixel(x, y);
            reddish += c.red() > 150 && c.green() < 100 && c.blue() < 100;
        }
    }
    QVERIFY2(reddish > 20, "the cannot-load cross is drawn");
    // With the items hidden (the loader's first pass) only the background shows.
    view.SetShowItems(false);
    shot = view.viewport()->grab().toImage();
    QCOMPARE(pixel(c0.Left + 2, c0.Top + 2), QColor(Qt::black));
}

QTEST_MAIN(TstThumbGrid)
#include "tst_thumb_grid.moc"
