#include "display_bitmap.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace mirte {

QImage MakeDisplayBitmap(const QImage& picture, QSize box, qreal devicePixelRatio) {
    if (picture.isNull() || box.width() <= 0 || box.height() <= 0) {
        return {};
    }
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const long double boxWidth = std::floor(box.width() * ratio);
    const long double boxHeight = std::floor(box.height() * ratio);
    const long double f = std::max(picture.width() / boxWidth, picture.height() / boxHeight);
    const int width = std::max(1, static_cast<int>(picture.width() / f));
    const int height = std::max(1, static_cast<int>(picture.height() / f));
    QImage bitmap =
        picture.size() == QSize(width, height)
            ? picture
            : picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    bitmap.setDevicePixelRatio(ratio);
    return bitmap;
}

QImage MakeNoFilePicture() {
    // A picture frame holding mountains and a sun, crossed by "no pictures" diagonal, in greys
    // that read on the black grid.
    QImage image(315, 234, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(57.5, 37.5, 200, 150);
    painter.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 6));
    painter.setBrush(QColor(0x30, 0x30, 0x30));
    painter.drawRoundedRect(frame, 10, 10);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x70, 0x70, 0x70));
    QPainterPath hills;
    hills.moveTo(70, 175);
    hills.lineTo(125, 100);
    hills.lineTo(160, 145);
    hills.lineTo(190, 115);
    hills.lineTo(245, 175);
    hills.closeSubpath();
    painter.drawPath(hills);
    painter.setBrush(QColor(0xB0, 0xB0, 0xB0));
    painter.drawEllipse(QPointF(205, 75), 14, 14);
    painter.setPen(QPen(QColor(0xC8, 0x50, 0x50), 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(45, 205), QPointF(270, 20));
    return image;
}

} // namespace mirte
