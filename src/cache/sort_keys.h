#pragma once

#include "item_facts.h"
#include "util/date_stamp.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace mirte {

// True when the item with facts a must come after the one with facts b.
bool CompareItems(const TItemFacts& a, const TItemFacts& b, int order);

// An item's key for the order, made once per sort. Unknown sizes sort first. The name order
// takes an item's folder first (a tree's folders one after another, each right before its
// subfolders, the folder shown first). Items equal in the order's key go by name, then by the
// name's exact bytes, then by the full path, so that no two items are ever left in an
// accidental order.
struct TSortKey {
    QByteArray Folder;  // the folded relative folder (name order only)
    TDateStamp When;    // the shooting-date order's date
    qint64 Number = -1; // the size order's size
    QByteArray Name;    // the folded file name
    QByteArray ExactName;
    QByteArray Path;
};
TSortKey MakeSortKey(const TItemFacts& facts, int order);
bool KeyAfter(const TSortKey& a, const TSortKey& b, int order);

// The name order's comparison of two folded names: unsigned bytes, but a run of digits
// against another counts as its number (img_2 before img_10; 007 equals 7). Negative, zero or
// positive.
int CompareNames(const QByteArray& a, const QByteArray& b);
// Two folded relative folders ("2024/TRIP"), one component after the other by CompareNames; a
// folder comes before the folders below it.
int CompareFolders(const QByteArray& a, const QByteArray& b);

} // namespace mirte
