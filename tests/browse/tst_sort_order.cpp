// The three orders of the grid, their caption lines and how ties are broken.
#include "browse/load_progress.h"
#include "browse/sort_order.h"
#include "browse/thumb_list_view.h"

#include <QtTest>

using namespace mirte;

namespace {

// A 640 x 480 picture's facts; no size: facts that could not be read.
TItemFacts Facts(const QString& name, qint64 size = -1, const QString& fileTime = QString(),
                 const QString& shot = QString()) {
    TItemFacts facts = NamedFacts(QStringLiteral("/p/") + name);
    facts.FileSize = size;
    facts.FileTime = TDateStamp::FromText(fileTime);
    facts.ShotTime = TDateStamp::FromText(shot);
    facts.Shown = QSize(640, 480);
    return facts;
}

QStringList Names(const TThumbListView& grid) {
    QStringList names;
    for (int i = 0; i < grid.Count(); ++i) {
        names << grid.Item(i).Caption;
    }
    return names;
}

void Fill(TThumbListView& grid, const QList<TItemFacts>& items) {
    grid.SetCount(static_cast<int>(items.size()));
    for (int i = 0; i < items.size(); ++i) {
        grid.SetItemFacts(i, items[i]);
    }
}

// An item of a tree shown from /p: "2024/trip/a.jpg" lies in folder "2024/trip".
TItemFacts TreeFacts(const QString& relative, qint64 size, const QString& shot) {
    TItemFacts facts = Facts(relative.section(QLatin1Char('/'), -1), size,
                             QStringLiteral("2020/01/01 00:00:00"), shot);
    facts.Folder = relative.section(QLatin1Char('/'), 0, -2);
    facts.FullPath = QStringLiteral("/p/") + relative;
    return facts;
}

QStringList RelativeNames(const TThumbListView& grid) {
    QStringList names;
    for (int i = 0; i < grid.Count(); ++i) {
        names << NameWithFolder(grid.Item(i).Facts);
    }
    return names;
}

} // namespace

class TstSortOrder : public QObject {
    Q_OBJECT

private slots:
    void captionLines();
    void nameOrder_data();
    void nameOrder();
    void tiesGoByName_data();
    void tiesGoByName();
    void sizeOrderPutsTheSmallestFirst();
    void shotOrderUsesTheFileTimeWithoutShootingDate();
    void shotOrderKeepsOddDatesInTheOrderOfTheirTexts_data();
    void shotOrderKeepsOddDatesInTheOrderOfTheirTexts();
    void unknownSizesDoNotStopTheSort();
    void progressRoundsHalvesToEven();
    void aTreeInEachOrder_data();
    void aTreeInEachOrder();
    void captionsOfATreeNameTheFolder();
};

void TstSortOrder::captionLines() {
    QCOMPARE(SortCaptionLine(Facts("a.jpg", 1234567), soSize), QStringLiteral("1205KB (640x480)"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg", 999), soSize), QStringLiteral("0KB (640x480)"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg", 1234567), soName), QString());
    // In shooting-date order the line shows what the order uses.
    QCOMPARE(
        SortCaptionLine(Facts("a.jpg", 1, "2003/05/11 10:00:00", "2001/01/02 03:04:05"), soShot),
        QStringLiteral("2001/01/02 03:04:05"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg", 1, "2003/05/11 10:00:00"), soShot),
             QStringLiteral("2003/05/11 10:00:00"));
    QCOMPARE(SortCaptionLine(Facts("a.jpg"), soSize), QString()); // facts unknown
}

void TstSortOrder::nameOrder_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("folded") << "b.jpg"
                            << "C.jpg";
    QTest::newRow("prefix") << "a"
                            << "ab";
    // Unsigned bytes: a Japanese name after every ASCII one; "_" (0x5F) after "a", which
    // counts as "A" (0x41).
    QTest::newRow("japanese") << "z.jpg" << QString::fromUtf8("写真.jpg");
    QTest::newRow("underscore") << "a.jpg"
                                << "_.jpg";
    QTest::newRow("numbers") << "img_2.jpg"
                             << "img_10.jpg";
    QTest::newRow("numbers folded") << "IMG_9.jpg"
                                    << "img_10.jpg";
    QTest::newRow("second run") << "a1b2"
                                << "a1b10";
    QTest::newRow("long numbers") << "p99999999999999999999"
                                  << "p100000000000000000000";
    // Equal as names: the exact bytes decide, so that nothing is left to the listing.
    QTest::newRow("case") << "A.jpg"
                          << "a.jpg";
    QTest::newRow("leading zero") << "img_02.jpg"
                                  << "img_2.jpg";
}

void TstSortOrder::nameOrder() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(!CompareItems(Facts(first), Facts(second), soName));
    QVERIFY(CompareItems(Facts(second), Facts(first), soName));
}

void TstSortOrder::tiesGoByName_data() {
    QTest::addColumn<int>("order");
    QTest::newRow("name") << int(soName);
    QTest::newRow("size") << int(soSize);
    QTest::newRow("shot") << int(soShot);
}

// A burst of photos with one size and one date, listed in any order, comes out by name.
void TstSortOrder::tiesGoByName() {
    QFETCH(int, order);
    const QString time = QStringLiteral("2024/05/01 10:00:00");
    TThumbListView grid;
    Fill(grid, {Facts("img_10.jpg", 2048, time), Facts("IMG_1.jpg", 2048, time),
                Facts("img_9.jpg", 2048, time), Facts("img_1.jpg", 2048, time)});
    ApplySortOrder(grid, order);
    QCOMPARE(Names(grid), (QStringList{"IMG_1.jpg", "img_1.jpg", "img_9.jpg", "img_10.jpg"}));
}

void TstSortOrder::sizeOrderPutsTheSmallestFirst() {
    TThumbListView grid;
    Fill(grid, {Facts("big", 5000000), Facts("tie1", 2048), Facts("small", 999),
                Facts("tie2", 2048), Facts("mid", 1234567)});
    ApplySortOrder(grid, soSize);
    QCOMPARE(Names(grid), (QStringList{"small", "tie1", "tie2", "mid", "big"}));
    QCOMPARE(InfoText(grid.Item(0).Facts, ieSortLine), QStringLiteral("0KB (640x480)"));
    QCOMPARE(InfoText(grid.Item(3).Facts, ieSortLine), QStringLiteral("1205KB (640x480)"));
    // Back to names: the caption lines are emptied.
    ApplySortOrder(grid, soName);
    QCOMPARE(Names(grid), (QStringList{"big", "mid", "small", "tie1", "tie2"}));
    QCOMPARE(InfoText(grid.Item(0).Facts, ieSortLine), QString());
}

void TstSortOrder::shotOrderUsesTheFileTimeWithoutShootingDate() {
    TThumbListView grid;
    Fill(grid, {Facts("exif", 1, "2010/01/01 00:00:00", "2003/05/12 09:00:00"),
                Facts("plain", 1, "2003/05/11 23:00:00"), Facts("tie-a", 1, "2004/01/01 00:00:00"),
                Facts("later", 1, "1999/01/01 00:00:00", "2005/07/07 07:07:07"),
                Facts("tie-b", 1, "2004/01/01 00:00:00")});
    ApplySortOrder(grid, soShot);
    QCOMPARE(Names(grid), (QStringList{"plain", "exif", "tie-a", "tie-b", "later"}));
    QCOMPARE(InfoText(grid.Item(1).Facts, ieSortLine), QStringLiteral("2003/05/12 09:00:00"));
    QCOMPARE(InfoText(grid.Item(0).Facts, ieSortLine), QStringLiteral("2003/05/11 23:00:00"));
}

void TstSortOrder::shotOrderKeepsOddDatesInTheOrderOfTheirTexts_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("regular") << "2003/05/11 23:59:59"
                             << "2003/05/12 00:00:00";
    QTest::newRow("clock never set") << "0000/00/00 00:00:00"
                                     << "1999/01/01 00:00:00";
    // A blank EXIF date: spaces before digits.
    QTest::newRow("blank") << "    /  /     :  :  "
                           << "0000/00/00 00:00:00";
    QTest::newRow("cut short") << "2003/05/12"
                               << "2003/05/12 00:00:00";
    // "-" (0x2D) before "/" (0x2F), whatever the day.
    QTest::newRow("not a date") << "2003-12-31"
                                << "2003/01/01 00:00:00";
    // Letters folded to upper case, as names are.
    QTest::newRow("folded") << "2003/05/1a"
                            << "2003/05/1B";
}

// Dates a camera wrote oddly keep the order of their texts among the others.
void TstSortOrder::shotOrderKeepsOddDatesInTheOrderOfTheirTexts() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    // Named against the order of their dates, so that only the dates can put them right.
    const TItemFacts a = Facts("z", 1, QString(), first);
    const TItemFacts b = Facts("a", 1, QString(), second);
    QVERIFY(!CompareItems(a, b, soShot));
    QVERIFY(CompareItems(b, a, soShot));
    TThumbListView grid;
    Fill(grid, {b, a});
    ApplySortOrder(grid, soShot);
    QCOMPARE(Names(grid), (QStringList{"z", "a"}));
    QCOMPARE(InfoText(grid.ItemFacts(0), ieSortLine), first);
}

void TstSortOrder::unknownSizesDoNotStopTheSort() {
    TThumbListView grid;
    Fill(grid, {Facts("b", 300), Facts("broken"), Facts("a", 100)});
    ApplySortOrder(grid, soSize);
    QCOMPARE(Names(grid), (QStringList{"broken", "a", "b"}));
    QCOMPARE(InfoText(grid.Item(0).Facts, ieSortLine), QString());
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

void TstSortOrder::aTreeInEachOrder_data() {
    QTest::addColumn<int>("order");
    QTest::addColumn<QStringList>("expected");
    // The chosen folder's own first; a folder right before its subfolders ("a" before "a/b"
    // before "a-c", though "/" is a smaller byte than "-"); folder names by the name order.
    QTest::newRow("name") << int(soName)
                          << QStringList{"top.jpg",    "a/img_2.jpg",   "a/img_10.jpg",
                                         "a/b/x.jpg",  "a-c/img_1.jpg", "dir2/img_1.jpg",
                                         "dir10/a.jpg"};
    // Sizes and dates across the whole tree; equal ones by name, then by path.
    QTest::newRow("size") << int(soSize)
                          << QStringList{"dir10/a.jpg", "a-c/img_1.jpg", "dir2/img_1.jpg",
                                         "a/img_2.jpg", "a/img_10.jpg",  "a/b/x.jpg",
                                         "top.jpg"};
    QTest::newRow("date") << int(soShot)
                          << QStringList{"dir10/a.jpg", "a/b/x.jpg",     "top.jpg",
                                         "a/img_2.jpg", "a-c/img_1.jpg", "dir2/img_1.jpg",
                                         "a/img_10.jpg"};
}

void TstSortOrder::aTreeInEachOrder() {
    QFETCH(int, order);
    QFETCH(QStringList, expected);
    TThumbListView grid;
    Fill(grid, {TreeFacts("dir10/a.jpg", 100, "2001/01/01 00:00:00"),
                TreeFacts("a/b/x.jpg", 500, "2002/01/01 00:00:00"),
                TreeFacts("a/img_10.jpg", 300, "2009/01/01 00:00:00"),
                TreeFacts("a-c/img_1.jpg", 100, "2005/01/01 00:00:00"),
                TreeFacts("top.jpg", 900, "2003/01/01 00:00:00"),
                TreeFacts("dir2/img_1.jpg", 100, "2005/01/01 00:00:00"),
                TreeFacts("a/img_2.jpg", 300, "2004/01/01 00:00:00")});
    ApplySortOrder(grid, order);
    QCOMPARE(RelativeNames(grid), expected);
}

void TstSortOrder::captionsOfATreeNameTheFolder() {
    TThumbListView grid;
    grid.SetThumbWidth(96);
    grid.SetThumbHeight(96);
    const QString longFolder = QStringLiteral("archive/2024/a very long holiday folder name/day 1");
    Fill(grid, {TreeFacts("IMG_0001.JPG", 1, {}), TreeFacts("2024/IMG_0001.JPG", 1, {}),
                TreeFacts(longFolder + QStringLiteral("/IMG_0001.JPG"), 1, {})});
    ApplySortOrder(grid, soName);
    QCOMPARE(grid.CaptionLines(0), (QStringList{QString(), "IMG_0001.JPG"}));
    QCOMPARE(grid.CaptionLines(1), (QStringList{QString(), "2024/", "IMG_0001.JPG"}));
    // Too long for the cell: cut on the left, so that the folder nearest the name shows.
    const QStringList cut = grid.CaptionLines(2);
    QCOMPARE(cut.size(), 3);
    QVERIFY(cut[1].endsWith(QStringLiteral("day 1/")));
    QVERIFY(cut[1].size() < longFolder.size());
    QCOMPARE(cut[2], QStringLiteral("IMG_0001.JPG"));
}

QTEST_MAIN(TstSortOrder)
#include "tst_sort_order.moc"
