#include "no_file_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace mirte {

QImage NoFilePicture() {
    QImage image(315, 234, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // An empty open folder.
    const QRectF back(97, 40, 120, 86);
    painter.setPen(QPen(QColor(200, 170, 90), 2));
    painter.setBrush(QColor(120, 100, 50));
    QPainterPath tab;
    tab.moveTo(back.left(), back.top() + 10);
    tab.lineTo(back.left(), back.top());
    tab.lineTo(back.left() + 40, back.top());
    tab.lineTo(back.left() + 48, back.top() + 10);
    tab.closeSubpath();
    painter.drawPath(tab);
    painter.drawRect(back.adjusted(0, 10, 0, 0));
    QPolygonF front;
    front << QPointF(back.left() - 8, back.top() + 34) << QPointF(back.right() + 8, back.top() + 34)
          << QPointF(back.right(), back.bottom()) << QPointF(back.left(), back.bottom());
    painter.setBrush(QColor(230, 195, 100));
    painter.drawPolygon(front);

    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(QColor(220, 220, 220));
    painter.drawText(QRectF(0, 145, image.width(), 24), Qt::AlignCenter,
                     QStringLiteral("このフォルダには画像がありません"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(150, 150, 150));
    painter.drawText(QRectF(0, 172, image.width(), 20), Qt::AlignCenter,
                     QStringLiteral("bmp jpg jpeg tif tiff png avi"));
    return image;
}

} // namespace mirte
