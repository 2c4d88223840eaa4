#include "record_fields.h"

#include <algorithm>

namespace mirte {

namespace {

bool IsBlank(QChar c) {
    return c.unicode() <= 32;
}

} // namespace

QString QuoteField(const QString& field) {
    bool quote = false;
    for (const QChar c : field) {
        if (IsBlank(c) || c == u'"' || c == u',') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        return field;
    }
    QString quoted;
    quoted.reserve(field.size() + 4);
    quoted += u'"';
    qsizetype from = 0;
    for (qsizetype quote = field.indexOf(u'"'); quote >= 0; quote = field.indexOf(u'"', from)) {
        quoted += QStringView(field).sliced(from, quote + 1 - from);
        quoted += u'"'; // a quote inside is written twice
        from = quote + 1;
    }
    quoted += QStringView(field).sliced(from);
    quoted += u'"';
    return quoted;
}

QStringList SplitFields(QStringView line) {
    QStringList fields;
    const qsizetype n = line.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsBlank(line[i])) {
            ++i;
        }
    };
    for (;;) {
        skipBlanks();
        if (i >= n) {
            break;
        }
        if (line[i] == u',') { // a comma after a comma: an empty field
            fields.append(QString());
            ++i;
            if (i >= n) {
                fields.append(QString());
            }
            continue;
        }
        QString field;
        if (line[i] == u'"') {
            ++i;
            // Whole runs up to the next quote at a time; "" stands for one quote.
            while (i < n) {
                qsizetype quote = line.indexOf(u'"', i);
                if (quote < 0) {
                    quote = n;
                }
                field += line.sliced(i, quote - i);
                i = quote;
                if (i + 1 < n && line[i + 1] == u'"') {
                    field += u'"';
                    i += 2;
                    continue;
                }
                i = std::min(i + 1, n);
                break;
            }
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != u',' && !IsBlank(line[i])) {
                ++i;
            }
            field = line.sliced(start, i - start).toString();
        }
        fields.append(field);
        skipBlanks();
        if (i < n && line[i] == u',') {
            ++i;
            skipBlanks();
            if (i >= n) {
                fields.append(QString()); // a comma at the very end
            }
        }
    }
    return fields;
}

} // namespace mirte
