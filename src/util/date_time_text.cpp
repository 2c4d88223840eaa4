#include "date_time_text.h"

#include <cstdio>

namespace mirte {

namespace {

QString Format(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", year, month,
                                day, hour, minute, second);
    return QString::fromLatin1(text, n);
}

} // namespace

QString DateTimeToText(const QDateTime& value) {
    const QDateTime local = value.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    return Format(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
}

QString DateTimeToText(std::time_t value) {
    std::tm parts{};
    if (::localtime_r(&value, &parts) == nullptr) {
        return {};
    }
    return Format(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour,
                  parts.tm_min, parts.tm_sec);
}

} // namespace mirte
