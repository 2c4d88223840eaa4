// The three orders of the grid, their caption lines and how ties are kept.
#include "browse/load_progress.h"
#include "browse/sort_order.h"
#include "browse/thumb_list_view.h"

#include <QtTest>

using namespace mirte;

namespace {

QStringList Facts(const QString& name, const QString& size = QString(),
                  const QString& fileTime = QString(), const QString& shot = QString(),
                  const QString& w = QStringLiteral("640"),
                  const QString& h = QStringLiteral("480")) {
    return {QString(), name, QStringLiteral("/p/") + name, size, fileTime, shot, w, h, QString()};
}

QStringList Names(const TThumbListView& grid) {
    QStringList names;
    for (int i = 0; i < grid.Count(); ++i) {
        names << grid.Item(i).Caption;
    }
    return names;
}

void Fill(TThumbListView& grid, const QList<QStringList>& items) {
    grid.SetCount(static_cast<int>(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        grid.SetItemInfo(i, items[i]);
    }
}

} // namespace

class TstSortOrder : public QObject {
    Q_OBJECT

private slots:
    void captionLines();
    void nameOrderFoldsOnlyAtoZAndKeepsTies();
    void sizeOrderPutsTheSmallestFirst();
    void shotOrderUsesTheFileTimeWithoutShootingDate();
    void unknownSizesDoNotStopTheSort();
    void progressRoundsHalvesToEven();
};

void TstSortOrder::captionLines() {
    QCOMPARE(SortCaptionLine(Facts("a.jpg", "1234567"), soSize),
             QStringLiteral("1205KB (640x480)"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg", "999"), soSize), QStringLiteral("0KB (640x480)"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg", "1234567"), soName), QString());
    // In shooting-date order the line shows what the order uses.
    QCOMPARE(
        SortCaptionLine(Facts("a.jpg", "1", "2003/05/11 10:00:00", "2001/01/02 03:04:05"), soShot),
        QStringLiteral("2001/01/02 03:04:05"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg", "1", "2003/05/11 10:00:00"), soShot),
             QStringLiteral("2003/05/11 10:00:00"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg"), soSize), QString()); // facts unknown
}

void TstSortOrder::nameOrderFoldsOnlyAtoZAndKeepsTies() {
    QVERIFY(!CompareItems(Facts("b.jpg"), Facts("C.jpg"), soName));
    QVERIFY(CompareItems(Facts("C.jpg"), Facts("b.jpg"), soName));
    QVERIFY(!CompareItems(Facts("A.jpg"), Facts("a.jpg"), soName));
    QVERIFY(!CompareItems(Facts("a.jpg"), Facts("A.jpg"), soName));
    QVERIFY(CompareItems(Facts("ab"), Facts("a"), soName)); // a prefix comes first
    // Unsigned bytes: a Japanese name after every ASCII one; "_" (0x5F) after "a", which
    // counts as "A" (0x41).
    QVERIFY(CompareItems(Facts(QString::fromUtf8("写真.jpg")), Facts("z.jpg"), soName));
    QVERIFY(CompareItems(Facts("_.jpg"), Facts("a.jpg"), soName));

    TThumbListView grid;
    Fill(grid, {Facts("b.jpg"), Facts("a.jpg"), Facts("C.jpg"), Facts("A.jpg"), Facts("c.jpg")});
    ApplySortOrder(grid, soName);
    QCOMPARE(Names(grid), (QStringList{"a.jpg", "A.jpg", "b.jpg", "C.jpg", "c.jpg"}));
    QCOMPARE(grid.Item(0).Info.value(8), QString());
}

void TstSortOrder::sizeOrderPutsTheSmallestFirst() {
    TThumbListView grid;
    Fill(grid, {Facts("big", "5000000"), Facts("tie1", "2048"), Facts("small", "999"),
                Facts("tie2", "2048"), Facts("mid", "1234567")});
    ApplySortOrder(grid, soSize);
    QCOMPARE(Names(grid), (QStringList{"small", "tie1", "tie2", "mid", "big"}));
    QCOMPARE(grid.Item(0).Info.value(8), QStringLiteral("0KB (640x480)"));
    QCOMPARE(grid.Item(3).Info.value(8), QStringLiteral("1205KB (640x480)"));
    // Back to names: the caption lines are emptied.
    ApplySortOrder(grid, soName);
    QCOMPARE(Names(grid), (QStringList{"big", "mid", "small", "tie1", "tie2"}));
    QCOMPARE(grid.Item(0).Info.value(8), QString());
}

void TstSortOrder::shotOrderUsesTheFileTimeWithoutShootingDate() {
    TThumbListView grid;
    Fill(grid,
         {Facts("exif", "1", "2010/01/01 00:00:00", "2003/05/12 09:00:00"),
          Facts("plain", "1", "2003/05/11 23:00:00"), Facts("tie-a", "1", "2004/01/01 00:00:00"),
          Facts("later", "1", "1999/01/01 00:00:00", "2005/07/07 07:07:07"),
          Facts("tie-b", "1", "2004/01/01 00:00:00")});
    ApplySortOrder(grid, soShot);
    QCOMPARE(Names(grid), (QStringList{"plain", "exif", "tie-a", "tie-b", "later"}));
    QCOMPARE(grid.Item(1).Info.value(8), QStringLiteral("2003/05/12 09:00:00"));
    QCOMPARE(grid.Item(0).Info.value(8), QStringLiteral("2003/05/11 23:00:00"));
}

void TstSortOrder::unknownSizesDoNotStopTheSort() {
    TThumbListView grid;
    Fill(grid, {Facts("b", "300"), Facts("broken"), Facts("a", "100")});
    ApplySortOrder(grid, soSize);
    QCOMPARE(Names(grid), (QStringList{"broken", "a", "b"}));
    QCOMPARE(grid.Item(0).Info.value(8), QString());
}

void TstSortOrder::progressRoundsHalvesToEven() {
    QList<int> three;
    for (int counter = 1; counter <= 6; ++counter) {
        three << ProgressPercent(counter, 6);
    }
    QCOMPARE(three, (QList<int>{17, 33, 50, 67, 83, 100}));
    QCOMPARE(ProgressPercent(1, 8), 12);  // 12.5 goes to the even 12
    QCOMPARE(ProgressPercent(3, 8), 38);  // 37.5 goes to 38
    QCOMPARE(ProgressPercent(1, 200), 0); // 0.5 goes to 0
    QCOMPARE(ProgressPercent(0, 0), 100);
}

QTEST_MAIN(TstSortOrder)
#include "tst_sort_order.moc"
