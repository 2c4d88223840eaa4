#pragma once

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace mirte {

// Appends the text to lines, broken at character boundaries into lines no wider than width
// (a code point, a surrogate pair and a combining sequence are never split; a character wider
// than the width gets a line of its own). Stops as soon as lines holds more than two entries,
// so that under the caption line a name gives at most two lines; the rest is dropped.
void WrapText(const QString& text, const QFontMetrics& metrics, QStringList& lines, int width);

} // namespace mirte
