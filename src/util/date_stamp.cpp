#include "date_stamp.h"

#include <cstdio>

namespace mirte {

namespace {

// "yyyy/mm/dd hh:mm:ss": where the separators stand; every other place holds a digit.
constexpr char kPattern[] = "0000/00/00 00:00:00";
constexpr qsizetype kLength = sizeof kPattern - 1;

} // namespace

TDateStamp TDateStamp::FromText(const QString& text) {
    TDateStamp stamp;
    if (text.size() != kLength) {
        stamp.m_irregular = text;
        return stamp;
    }
    qint64 number = 0;
    for (qsizetype i = 0; i < kLength; ++i) {
        const QChar c = text.at(i);
        if (kPattern[i] != '0') {
            if (c != QLatin1Char(kPattern[i])) {
                stamp.m_irregular = text;
                return stamp;
            }
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            number = number * 10 + (c.unicode() - '0');
        } else {
            stamp.m_irregular = text;
            return stamp;
        }
    }
    stamp.m_number = number;
    return stamp;
}

QString TDateStamp::Text() const {
    if (m_number < 0) {
        return m_irregular;
    }
    // Split from the right: two digits for each of second, minute, hour, day and month.
    qint64 rest = m_number;
    int parts[5];
    for (int i = 4; i >= 0; --i) {
        parts[i] = static_cast<int>(rest % 100);
        rest /= 100;
    }
    char text[32];
    const int n =
        std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", static_cast<int>(rest),
                      parts[0], parts[1], parts[2], parts[3], parts[4]);
    return QString::fromLatin1(text, n);
}

} // namespace mirte
