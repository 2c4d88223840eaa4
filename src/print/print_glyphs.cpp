#include "print_glyphs.h"

#include <QPainter>
#include <QPixmap>

namespace mirte {

namespace {

// Drawn on a 16 x 16 grid and scaled to the size asked for.
template <class Draw> QIcon Glyph(int size, Draw draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(Qt::black, 1));
    draw(p);
    return QIcon(pixmap);
}

} // namespace

QIcon PrinterGlyph(int size) {
    return Glyph(size, [](QPainter& p) {
        p.fillRect(4, 1, 8, 5, Qt::white);
        p.drawRect(4, 1, 8, 5);
        p.fillRect(1, 6, 14, 6, QColor(160, 160, 160));
        p.drawRect(1, 6, 14, 6);
        p.fillRect(4, 10, 8, 5, Qt::white);
        p.drawRect(4, 10, 8, 5);
    });
}

QIcon PreviewGlyph(int size) {
    return Glyph(size, [](QPainter& p) {
        p.fillRect(1, 1, 10, 13, Qt::white);
        p.drawRect(1, 1, 10, 13);
        for (int y = 4; y <= 10; y += 3) {
            p.drawLine(3, y, 8, y);
        }
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(6, 5, 6, 6);
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(11, 10, 14, 14);
    });
}

} // namespace mirte
