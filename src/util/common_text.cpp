#include "common_text.h"

#include <limits>

namespace mirte {

QString JoinText(const QString& a, const QString& b) {
    return a + b;
}

namespace {

int DigitValue(char16_t c, int base) {
    int v = 99;
    if (c >= u'0' && c <= u'9') {
        v = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        v = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        v = c - u'A' + 10;
    }
    return v < base ? v : -1;
}

} // namespace

bool TextToInt(QStringView text, int& value) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' &&
               (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) {
        return false;
    }
    long long magnitude = 0;
    const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i].unicode(), base);
        if (digit < 0) {
            return false;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            return false;
        }
    }
    if (!negative && magnitude == limit) {
        return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

int ValidFontSize(const QString& text) {
    int value = 0;
    if (!TextToInt(text, value) || value < 3 || value > 28) {
        return 0;
    }
    return value;
}

} // namespace mirte
