#include "text_lines.h"

#include <vector>

namespace mirte {

QStringList BreakLines(const QString& text, int width,
                       const std::function<int(QStringView)>& measure, int maxLines) {
    // Where each character ends, in UTF-16 units.
    std::vector<qsizetype> ends;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        }
        ends.push_back(i + 1);
    }
    QStringList lines;
    qsizetype start = 0; // in UTF-16 units
    const std::size_t count = ends.size();
    for (std::size_t c = 0; c + 1 < count; ++c) {
        if (lines.size() > maxLines) {
            return lines;
        }
        const QStringView piece = QStringView(text).mid(start, ends[c] - start);
        if (measure(piece) > width) {
            const qsizetype charStart = c == 0 ? 0 : ends[c - 1];
            lines.push_back(text.mid(start, charStart - start));
            start = charStart;
        }
    }
    if (lines.size() <= maxLines) {
        lines.push_back(text.mid(start));
    }
    return lines;
}

} // namespace mirte
