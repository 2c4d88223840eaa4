#pragma once

#include <QString>

namespace mirte {

// The text a text item shows for a display mask: unchanged without a mask; a number (only
// '+', '-', '.' and digits) through a numeric pattern such as "#,##0.00" or "0000"; anything
// else through an edit mask, where '0', '9', '#', 'L', 'l', 'A', 'a', 'C' and 'c' take the
// text's next character and every other mask character is written as it is ('\' quotes the
// next one; a ';' ends the mask).
QString ApplyDisplayMask(const QString& text, const QString& mask);

} // namespace mirte
