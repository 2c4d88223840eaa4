#pragma once

#include <QString>
#include <QStringView>

namespace mirte {

// a followed by b.
QString JoinText(const QString& a, const QString& b);

// A decimal integer with optional leading blanks and sign, or a hexadecimal one written "$1F" or
// "0x1F"; nothing may follow. False for anything else, or a number outside 32 bits.
bool TextToInt(QStringView text, int& value);

// The font size of a size box: the number when it lies in 3..28, else 0.
int ValidFontSize(const QString& text);

} // namespace mirte
