#include "display_mask.h"

#include <QRegularExpression>
#include <cmath>

namespace mirte {

namespace {

bool IsNumberText(const QString& text) {
    for (QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'+' && c != u'-' && c != u'.') {
            return false;
        }
    }
    return true;
}

QString FormatNumber(double value, const QString& pattern) {
    // The pattern's digits part is the run of '#', '0', ',' and '.'; text around it stays.
    const qsizetype first = pattern.indexOf(QRegularExpression(QStringLiteral("[#0.,]")));
    if (first < 0) {
        return pattern;
    }
    qsizetype last = first;
    while (last + 1 < pattern.size() && QStringLiteral("#0.,").contains(pattern[last + 1])) {
        ++last;
    }
    const QString digits = pattern.mid(first, last - first + 1);
    const qsizetype point = digits.indexOf(u'.');
    const int decimals = point < 0 ? 0 : static_cast<int>(digits.size() - point - 1);
    const QString whole = point < 0 ? digits : digits.left(point);
    const int minimumWhole = static_cast<int>(whole.count(u'0'));
    const bool grouped = whole.contains(u',');

    QString number = QString::number(std::abs(value), 'f', decimals);
    QString integral = number.section(u'.', 0, 0);
    const QString fraction = decimals > 0 ? number.section(u'.', 1) : QString();
    if (integral == QStringLiteral("0") && minimumWhole == 0) {
        integral.clear();
    }
    while (integral.size() < minimumWhole) {
        integral.prepend(u'0');
    }
    if (grouped) {
        for (qsizetype i = integral.size() - 3; i > 0; i -= 3) {
            integral.insert(i, u',');
        }
    }
    QString result = integral;
    if (decimals > 0) {
        result += u'.' + fraction;
    }
    if (value < 0) {
        result.prepend(u'-');
    }
    return pattern.left(first) + result + pattern.mid(last + 1);
}

QString ApplyEditMask(const QString& text, const QString& mask) {
    static const QString kTakers = QStringLiteral("09#LlAaCc");
    QString result;
    qsizetype next = 0;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar m = mask[i];
        if (m == u';') {
            break;
        }
        if (m == u'\\' && i + 1 < mask.size()) {
            result += mask[++i];
        } else if (kTakers.contains(m)) {
            if (next < text.size()) {
                result += text[next++];
            }
        } else if (m != u'!' && m != u'>' && m != u'<') {
            result += m;
        }
    }
    return result;
}

} // namespace

QString ApplyDisplayMask(const QString& text, const QString& mask) {
    if (mask.isEmpty() || text.isEmpty()) {
        return text;
    }
    if (IsNumberText(text)) {
        bool ok = false;
        const double value = text.toDouble(&ok);
        return ok ? FormatNumber(value, mask) : text;
    }
    return ApplyEditMask(text, mask);
}

} // namespace mirte
