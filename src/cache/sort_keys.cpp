#include "sort_keys.h"

#include <algorithm>

namespace mirte {

namespace {

// The text as UTF-8 with a to z upper-cased; compared byte by byte as unsigned values.
QByteArray FoldedBytes(const QString& text) {
    QByteArray bytes = text.toUtf8();
    for (char& c : bytes) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return bytes;
}

// Unsigned byte order; a prefix comes first.
int CompareBytes(const QByteArray& a, const QByteArray& b) {
    const auto length = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Two dates in the order of their texts' folded bytes: by their numbers while both are of the
// regular form (the same order, without making a text), else by the texts.
int CompareDates(const TDateStamp& a, const TDateStamp& b) {
    if (a.IsRegular() && b.IsRegular()) {
        return a.Number() == b.Number() ? 0 : (a.Number() < b.Number() ? -1 : 1);
    }
    return CompareBytes(FoldedBytes(a.Text()), FoldedBytes(b.Text()));
}

} // namespace

int CompareNames(const QByteArray& a, const QByteArray& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            const auto x = static_cast<unsigned char>(a[i++]);
            const auto y = static_cast<unsigned char>(b[j++]);
            if (x != y) {
                return x < y ? -1 : 1;
            }
            continue;
        }
        // Two runs of digits: the one with more digits after its leading zeros is larger, else
        // the first digit that differs decides.
        while (i < a.size() && a[i] == '0') {
            ++i;
        }
        while (j < b.size() && b[j] == '0') {
            ++j;
        }
        qsizetype endA = i;
        qsizetype endB = j;
        while (endA < a.size() && IsDigit(a[endA])) {
            ++endA;
        }
        while (endB < b.size() && IsDigit(b[endB])) {
            ++endB;
        }
        if (endA - i != endB - j) {
            return endA - i < endB - j ? -1 : 1;
        }
        for (; i < endA; ++i, ++j) {
            if (a[i] != b[j]) {
                return a[i] < b[j] ? -1 : 1;
            }
        }
    }
    const bool aLeft = i < a.size();
    const bool bLeft = j < b.size();
    return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}

int CompareFolders(const QByteArray& a, const QByteArray& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        qsizetype endA = a.indexOf('/', i);
        qsizetype endB = b.indexOf('/', j);
        endA = endA < 0 ? a.size() : endA;
        endB = endB < 0 ? b.size() : endB;
        if (const int c = CompareNames(a.mid(i, endA - i), b.mid(j, endB - j)); c != 0) {
            return c;
        }
        i = endA + 1;
        j = endB + 1;
    }
    const bool aLeft = i < a.size();
    const bool bLeft = j < b.size();
    return aLeft == bLeft ? 0 : (aLeft ? 1 : -1);
}

TSortKey MakeSortKey(const TItemFacts& facts, int order) {
    TSortKey key;
    if (order == soName) {
        key.Folder = FoldedBytes(facts.Folder);
    } else if (order == soSize) {
        key.Number = facts.FileSize;
    } else if (order == soShot) {
        key.When = facts.ShotOrFileTime();
    }
    key.ExactName = facts.Name.toUtf8();
    key.Name = FoldedBytes(facts.Name);
    key.Path = facts.FullPath.toUtf8();
    return key;
}

bool KeyAfter(const TSortKey& a, const TSortKey& b, int order) {
    int c = 0;
    if (order == soName) {
        c = CompareFolders(a.Folder, b.Folder);
    } else if (order == soSize) {
        c = a.Number == b.Number ? 0 : (a.Number < b.Number ? -1 : 1);
    } else if (order == soShot) {
        c = CompareDates(a.When, b.When);
    }
    if (c == 0) {
        c = CompareNames(a.Name, b.Name);
    }
    if (c == 0) {
        c = CompareBytes(a.ExactName, b.ExactName);
    }
    if (c == 0) {
        c = CompareBytes(a.Path, b.Path);
    }
    return c > 0;
}

bool CompareItems(const TItemFacts& a, const TItemFacts& b, int order) {
    return KeyAfter(MakeSortKey(a, order), MakeSortKey(b, order), order);
}

} // namespace mirte
