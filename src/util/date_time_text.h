#pragma once

#include <QDateTime>
#include <QString>
#include <ctime>

namespace mirte {

// "yyyy/mm/dd hh:mm:ss" in local time, 24-hour clock, whatever the locale; thread-safe.
QString DateTimeToText(const QDateTime& value);
QString DateTimeToText(std::time_t value);

} // namespace mirte
