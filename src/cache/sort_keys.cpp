#include "sort_keys.h"

#include "item_facts.h"

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
bool BytesAfter(const QByteArray& a, const QByteArray& b) {
    const auto length = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) {
            return x > y;
        }
    }
    return a.size() > b.size();
}

// The size in bytes, -1 when the entry is not a number (facts that could not be read).
qint64 SizeOf(const QStringList& info) {
    bool ok = false;
    const qint64 size = info.value(ieFileSize).trimmed().toLongLong(&ok);
    return ok && size >= 0 ? size : -1;
}

} // namespace

QString SortCaptionLine(const QStringList& info, int order) {
    switch (order) {
    case soSize: {
        const qint64 size = SizeOf(info);
        if (size < 0) {
            return {};
        }
        return QString::number(size / 1024) + QStringLiteral("KB (") + info.value(ieWidth) +
               QLatin1Char('x') + info.value(ieHeight) + QLatin1Char(')');
    }
    case soShot:
        return ShotOrFileTime(info);
    default:
        return {};
    }
}

TSortKey MakeSortKey(const QStringList& info, int order) {
    switch (order) {
    case soSize:
        return {{}, SizeOf(info)};
    case soShot:
        return {FoldedBytes(ShotOrFileTime(info)), 0};
    default:
        return {FoldedBytes(info.value(ieFileName)), 0};
    }
}

bool KeyAfter(const TSortKey& a, const TSortKey& b, int order) {
    if (order == soSize) {
        return b.Number < a.Number;
    }
    return BytesAfter(a.Text, b.Text);
}

bool CompareItems(const QStringList& a, const QStringList& b, int order) {
    return KeyAfter(MakeSortKey(a, order), MakeSortKey(b, order), order);
}

} // namespace mirte
