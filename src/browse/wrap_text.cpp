#include "wrap_text.h"

#include <QTextBoundaryFinder>

namespace mirte {

void WrapText(const QString& text, const QFontMetrics& metrics, QStringList& lines, int width) {
    if (lines.size() > 2) {
        return;
    }
    // Lines end only between grapheme clusters, so no code point or surrogate pair is split.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype lineStart = 0;
    qsizetype fitEnd = 0; // the end of what fits on the current line
    for (qsizetype end = finder.toNextBoundary(); end != -1; end = finder.toNextBoundary()) {
        if (fitEnd == lineStart ||
            metrics.horizontalAdvance(text.mid(lineStart, end - lineStart)) <= width) {
            fitEnd = end; // it fits, or it is a lone character too wide for any line
            continue;
        }
        lines.append(text.mid(lineStart, fitEnd - lineStart));
        if (lines.size() > 2) {
            return;
        }
        lineStart = fitEnd;
        fitEnd = end; // the character that did not fit opens the next line
    }
    if (lineStart < text.size()) {
        lines.append(text.mid(lineStart));
    }
}

} // namespace mirte
