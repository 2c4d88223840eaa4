#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace mirte {

// Breaks a text into lines no wider than `width`, character by character (a code point, or a
// surrogate pair, is never split): a character that does not fit moves to the next line with
// everything after it. The last character never starts a line of its own, and a character wider
// than the whole width is preceded by an empty line, as rotated labels have always done. At most
// `maxLines` lines are made; a last one that holds the rest is added when more text follows, so
// the caller can tell that it did not fit.
QStringList BreakLines(const QString& text, int width,
                       const std::function<int(QStringView)>& measure, int maxLines);

} // namespace mirte
