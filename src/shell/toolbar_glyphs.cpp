#include "toolbar_glyphs.h"

#include <QPainter>
#include <QPainterPath>

namespace mirte {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 246);

void DrawAbort(QPainter& p, const QRectF& r) {
    // A red stop sign with a white bar.
    const qreal side = qMin(r.width(), r.height()) - 4;
    const QRectF box(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    QPolygonF octagon;
    const qreal cut = side * 0.29;
    octagon << QPointF(box.left() + cut, box.top()) << QPointF(box.right() - cut, box.top())
            << QPointF(box.right(), box.top() + cut) << QPointF(box.right(), box.bottom() - cut)
            << QPointF(box.right() - cut, box.bottom()) << QPointF(box.left() + cut, box.bottom())
            << QPointF(box.left(), box.bottom() - cut) << QPointF(box.left(), box.top() + cut);
    p.setPen(QPen(QColor(120, 0, 0), 1.2));
    p.setBrush(QColor(210, 30, 30));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(
        QRectF(box.left() + side * 0.2, box.center().y() - side * 0.09, side * 0.6, side * 0.18));
}

void DrawReload(QPainter& p, const QRectF& r) {
    // A green circular arrow.
    const qreal side = qMin(r.width(), r.height()) - 8;
    const QRectF ring(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    p.setPen(QPen(QColor(30, 140, 60), side * 0.16, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, 100 * 16, 290 * 16);
    // The arrow head at the arc's start, pointing along the turn.
    const QPointF tip(ring.center().x() - side * 0.05, ring.top());
    QPolygonF head;
    head << QPointF(tip.x() + side * 0.28, tip.y())
         << QPointF(tip.x() - side * 0.08, tip.y() - side * 0.24)
         << QPointF(tip.x() - side * 0.08, tip.y() + side * 0.24);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 140, 60));
    p.drawPolygon(head);
}

void DrawPhotoCell(QPainter& p, const QRectF& cell) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 180, 235));
    p.drawRect(cell);
    QPolygonF hill;
    hill << cell.bottomLeft()
         << QPointF(cell.left() + cell.width() * 0.45, cell.top() + cell.height() * 0.4)
         << cell.bottomRight();
    p.setBrush(QColor(60, 150, 70));
    p.drawPolygon(hill);
}

void DrawPrintThumbnail(QPainter& p, const QRectF& r) {
    // A square card with a three-by-three grid of small pictures.
    const qreal side = qMin(r.width(), r.height()) - 4;
    const QRectF card(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(card);
    const qreal cell = (side - 8) / 3;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            DrawPhotoCell(p, QRectF(card.left() + 2 + col * (cell + 2),
                                    card.top() + 2 + row * (cell + 2), cell, cell));
        }
    }
}

void DrawPrintJacket(QPainter& p, const QRectF& r) {
    // A CD case: the disc behind a card with one picture and a title bar.
    const QRectF card = r.adjusted(2, 3, -4, -3);
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(200, 200, 210));
    p.drawEllipse(QRectF(card.right() - card.height() * 0.7, card.top() + 2, card.height() - 4,
                         card.height() - 4));
    const QRectF front(card.left(), card.top(), card.width() * 0.78, card.height());
    p.setBrush(kPaper);
    p.drawRect(front);
    DrawPhotoCell(p, front.adjusted(3, 3, -3, -front.height() * 0.3));
    p.setPen(QPen(kInk, 2));
    p.drawLine(QPointF(front.left() + 4, front.bottom() - front.height() * 0.15),
               QPointF(front.right() - 4, front.bottom() - front.height() * 0.15));
}

void DrawContact(QPainter& p, const QRectF& r) {
    // A portrait page with two columns of pictures and their caption lines.
    const QRectF page = r.adjusted(4, 1, -4, -1);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(page);
    const qreal cellW = (page.width() - 6) / 2;
    const qreal rowH = (page.height() - 4) / 3;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 2; ++col) {
            const QRectF cell(page.left() + 2 + col * (cellW + 2), page.top() + 2 + row * rowH,
                              cellW, rowH * 0.62);
            DrawPhotoCell(p, cell);
            p.setPen(QPen(QColor(110, 110, 110), 1));
            p.drawLine(QPointF(cell.left(), cell.bottom() + 2),
                       QPointF(cell.right() - 2, cell.bottom() + 2));
        }
    }
}

void DrawInternet(QPainter& p, const QRectF& r) {
    // A globe with meridians and parallels.
    const qreal side = qMin(r.width(), r.height()) - 4;
    const QRectF globe(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    p.setPen(QPen(QColor(20, 70, 140), 1.2));
    p.setBrush(QColor(90, 160, 230));
    p.drawEllipse(globe);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(globe.adjusted(side * 0.3, 0, -side * 0.3, 0));
    p.drawLine(QPointF(globe.center().x(), globe.top()),
               QPointF(globe.center().x(), globe.bottom()));
    p.drawLine(QPointF(globe.left(), globe.center().y()),
               QPointF(globe.right(), globe.center().y()));
    for (qreal k : {0.25, 0.75}) {
        const qreal y = globe.top() + side * k;
        const qreal half = side * 0.43;
        p.drawLine(QPointF(globe.center().x() - half, y), QPointF(globe.center().x() + half, y));
    }
}

} // namespace

QSize ToolGlyphSize(TToolGlyph glyph) {
    switch (glyph) {
    case TToolGlyph::Abort:
        return {35, 33};
    case TToolGlyph::Reload:
        return {40, 36};
    case TToolGlyph::PrintThumbnail:
        return {36, 36};
    case TToolGlyph::PrintJacket:
        return {33, 35};
    case TToolGlyph::Contact:
        return {31, 33};
    case TToolGlyph::Internet:
        return {32, 32};
    }
    return {32, 32};
}

QPixmap DrawToolGlyph(TToolGlyph glyph) {
    QPixmap pixmap(ToolGlyphSize(glyph));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, pixmap.width(), pixmap.height());
    switch (glyph) {
    case TToolGlyph::Abort:
        DrawAbort(painter, area);
        break;
    case TToolGlyph::Reload:
        DrawReload(painter, area);
        break;
    case TToolGlyph::PrintThumbnail:
        DrawPrintThumbnail(painter, area);
        break;
    case TToolGlyph::PrintJacket:
        DrawPrintJacket(painter, area);
        break;
    case TToolGlyph::Contact:
        DrawContact(painter, area);
        break;
    case TToolGlyph::Internet:
        DrawInternet(painter, area);
        break;
    }
    return pixmap;
}

} // namespace mirte
