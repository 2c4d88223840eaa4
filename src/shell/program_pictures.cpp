#include "program_pictures.h"

#include "generated/mirte_install.h"
#include "print/dialog_util.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace mirte {

namespace {

QFont PictureFont(int pixelSize, bool bold) {
    QFont font = WindowFont(pixelSize);
    font.setBold(bold);
    return font;
}

// A myrtle blossom in a box of side 100 at the origin: two leaves, five petals, stamens.
void DrawBlossom(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(46, 125, 80));
    for (const qreal angle : {-35.0, 145.0}) {
        painter.save();
        painter.translate(50, 50);
        painter.rotate(angle);
        QPainterPath leaf;
        leaf.moveTo(20, 0);
        leaf.quadTo(38, -12, 50, 0);
        leaf.quadTo(38, 12, 20, 0);
        painter.drawPath(leaf);
        painter.restore();
    }
    for (int i = 0; i < 5; ++i) {
        painter.save();
        painter.translate(50, 50);
        painter.rotate(i * 72.0 - 90.0);
        QRadialGradient petal(QPointF(18, 0), 18);
        petal.setColorAt(0.0, QColor(255, 255, 255));
        petal.setColorAt(1.0, QColor(250, 222, 232));
        painter.setBrush(petal);
        painter.setPen(QPen(QColor(214, 160, 180), 1.2));
        painter.drawEllipse(QPointF(19, 0), 17, 13);
        painter.restore();
    }
    // Stamens: fine lines with yellow tips, the blossom's mark.
    painter.setPen(QPen(QColor(230, 210, 150), 1.0));
    for (int i = 0; i < 16; ++i) {
        const qreal a = qDegreesToRadians(i * 22.5 + 7.0);
        const qreal r = (i % 2 == 0) ? 15.0 : 11.0;
        const QPointF tip(50 + r * qCos(a), 50 + r * qSin(a));
        painter.drawLine(QPointF(50, 50), tip);
        painter.setBrush(QColor(240, 190, 40));
        painter.drawEllipse(tip, 1.6, 1.6);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 150, 40));
    painter.drawEllipse(QPointF(50, 50), 4, 4);
}

} // namespace

QIcon CompiledInProgramIcon() {
    QIcon icon;
    QDirIterator renditions(QStringLiteral(":/mirte/icon"), {QStringLiteral("*.png")}, QDir::Files,
                            QDirIterator::Subdirectories);
    while (renditions.hasNext()) {
        icon.addFile(renditions.next());
    }
    return icon;
}

QIcon ProgramIcon() {
    return QIcon::fromTheme(QStringLiteral(MIRTE_APP_ID), CompiledInProgramIcon());
}

QImage AboutPicture() {
    return ProgramIcon().pixmap(48, 48).toImage();
}

QImage SplashPicture() {
    QImage image(420, 130, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 420, 130);
    sky.setColorAt(0.0, QColor(24, 74, 56));
    sky.setColorAt(1.0, QColor(92, 150, 110));
    painter.fillRect(image.rect(), sky);

    // A row of thumbnail frames along the bottom: what the program shows.
    painter.setPen(QPen(QColor(255, 255, 255, 120), 1));
    for (int i = 0; i < 7; ++i) {
        painter.setBrush(QColor(255, 255, 255, 30 + i * 6));
        painter.drawRoundedRect(QRectF(140 + i * 38, 98, 30, 22), 2, 2);
    }

    painter.save();
    painter.translate(14, 10);
    painter.scale(1.1, 1.1);
    DrawBlossom(painter);
    painter.restore();

    painter.setPen(Qt::white);
    painter.setFont(PictureFont(46, true));
    painter.drawText(QRect(140, 12, 270, 56), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("ProgramPictures", "ミルテ"));
    painter.setPen(QColor(225, 240, 228));
    painter.setFont(PictureFont(14, false));
    painter.drawText(QRect(142, 66, 270, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QCoreApplication::translate("ProgramPictures", "サムネイル表示と写真の印刷"));

    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(0.5, 0.5, 419, 129));
    return image;
}

} // namespace mirte
