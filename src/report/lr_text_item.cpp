#include "lr_text_item.h"

#include "display_mask.h"
#include "text_lines.h"
#include "util/rounding.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace mirte {

namespace {

int Trunc(double v) {
    return static_cast<int>(v);
}

QRect ToQRect(const TEdgeRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

QFont CanvasFont(const TLRFont& font, const TLRCanvas& canvas, double scale) {
    int pixels = 0;
    if (canvas.IsPrinter && canvas.PrinterDpi > 0) {
        pixels = MulDiv(font.Size(), canvas.PrinterDpi, 72);
    } else {
        pixels = MulDiv(RoundHalfEven(font.Size() * scale), 96, 72);
    }
    QFont q(font.Name);
    q.setPixelSize(std::max(pixels, 1));
    q.setBold(font.Bold);
    q.setItalic(font.Italic);
    q.setUnderline(font.Underline);
    q.setStrikeOut(font.StrikeOut);
    // The same outlines on every device, so that print and preview break lines alike.
    q.setHintingPreference(QFont::PreferNoHinting);
    return q;
}

int LineWidth(TLineStyle style, double scale) {
    switch (style) {
    case TLineStyle::lsSingle:
        return Trunc(1.2 * scale);
    case TLineStyle::lsHalf:
        return Trunc(scale / 2);
    case TLineStyle::lsDouble:
        return Trunc(2 * scale);
    case TLineStyle::lsNone:
        break;
    }
    return 0;
}

void TCustomLRTextItem::SetHMargin(int margin) {
    if (margin >= -255 && margin <= 255) {
        m_hMargin = margin;
    }
}

void TCustomLRTextItem::SetVMargin(int margin) {
    if (margin >= -255 && margin <= 255) {
        m_vMargin = margin;
    }
}

QString TCustomLRTextItem::DisplayText() const {
    return ApplyDisplayMask(m_text, DisplayMask);
}

void TCustomLRTextItem::PrintItem(TLRCanvas& canvas, const TEdgeRect& rect, TPrintStatus status,
                                  double s) {
    if (status == TPrintStatus::stSkip || canvas.Painter == nullptr) {
        return;
    }
    QPainter& painter = *canvas.Painter;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QFont font = CanvasFont(Font(), canvas, s);
    painter.setFont(font);

    TextPlace place;
    place.Out = {Trunc(rect.Left * s), Trunc(rect.Top * s), Trunc((rect.Right - 1) * s),
                 Trunc((rect.Bottom - 1) * s)};
    const TEdgeRect& out = place.Out;
    if (!Transparent) {
        const int grow = RoundHalfEven(s);
        painter.fillRect(ToQRect({out.Left - grow, out.Top - grow, out.Right, out.Bottom}),
                         Color());
    }

    if (status == TPrintStatus::stPrint) {
        const QString text = DisplayText();
        const QFontMetrics metrics(font, painter.device());
        const int lineHeight = metrics.height();
        int flags = WordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
        flags |= Alignment == TTextAlignment::taRightJustify ? Qt::AlignRight
                 : Alignment == TTextAlignment::taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
        flags |= Qt::AlignTop;
        const int m = Trunc(m_hMargin * s);
        const int v = Trunc(m_vMargin * s);
        int textHeight = lineHeight;
        if (WordWrap && !text.isEmpty()) {
            const QRect measured = metrics.boundingRect(
                QRect(0, 0, std::max((out.Right - out.Left) - m, 1), lineHeight), flags, text);
            textHeight = std::max(measured.height(), lineHeight);
        }
        TEdgeRect textRect = out;
        if (Alignment == TTextAlignment::taLeftJustify) {
            textRect.Left += m;
        } else if (Alignment == TTextAlignment::taRightJustify) {
            textRect.Right -= m;
        }
        if (Layout == TTextLayout::tlTop) {
            textRect.Top += v;
        } else if (Layout == TTextLayout::tlBottom) {
            textRect.Top = out.Bottom - v - textHeight;
        } else {
            textRect.Top += (out.Bottom - out.Top - textHeight) / 2;
        }
        place.TextRect = textRect;
        place.Flags = flags;
        painter.setPen(Font().Color);
        if (!text.isEmpty()) {
            painter.save(); // the text's clipping must not cut the frame lines
            DrawText(painter, font, place, text);
            painter.restore();
        }
    }

    // Frame lines: top and left run D outside the scaled rectangle, right and bottom along it.
    const int d = Trunc(s);
    auto line = [&](TLineStyle style, int x1, int y1, int x2, int y2) {
        if (style == TLineStyle::lsNone) {
            return;
        }
        const int width = LineWidth(style, s);
        QPen pen(LineColor, width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(x1, y1, x2, y2);
    };
    line(LineTop, out.Left - d, out.Top - d, out.Right, out.Top - d);
    line(LineLeft, out.Left - d, out.Top - d, out.Left - d, out.Bottom);
    line(LineRight, out.Right, out.Top - d, out.Right, out.Bottom);
    line(LineBottom, out.Left - d, out.Bottom, out.Right, out.Bottom);
    painter.restore();
}

void TLRItem::DrawText(QPainter& painter, const QFont&, const TextPlace& place,
                       const QString& text) {
    // Drawn literally: an ampersand is a character, not a shortcut mark.
    painter.setClipRect(ToQRect(place.TextRect), Qt::IntersectClip);
    painter.drawText(ToQRect(place.TextRect), place.Flags, text);
}

void TLRItem2::DrawText(QPainter& painter, const QFont& font, const TextPlace& place,
                        const QString& text) {
    if (WordWrap && WordWrapNum <= 0) {
        return;
    }
    const TEdgeRect& out = place.Out;
    const TEdgeRect& tr = place.TextRect;
    int x0 = tr.Left;
    int y0 = tr.Top;
    int angle = 0; // clockwise, as the painter turns
    switch (Escapement) {
    case TEscapementStatus::esNormal:
        break;
    case TEscapementStatus::esLeft:
        y0 = out.Bottom;
        angle = -90;
        break;
    case TEscapementStatus::esTurn:
        x0 = tr.Right;
        y0 = out.Bottom;
        angle = 180;
        break;
    case TEscapementStatus::esRight:
        x0 = tr.Right;
        angle = 90;
        break;
    }
    const bool sideways =
        Escapement == TEscapementStatus::esLeft || Escapement == TEscapementStatus::esRight;
    const int w = sideways ? out.Bottom - tr.Top : tr.Right - tr.Left;

    const QFontMetrics metrics(font, painter.device());
    const int maxLines = WordWrap ? std::min(WordWrapNum, 255) : 1;
    const QStringList lines = BreakLines(
        text, w, [&](QStringView piece) { return metrics.horizontalAdvance(piece.toString()); },
        maxLines);
    const bool centred = Alignment == TTextAlignment::taCenter;
    const int lineHeight = metrics.height();

    // Nothing outside the item's box, however long the text.
    painter.setClipRect(QRect(QPoint(out.Left, out.Top), QPoint(out.Right, out.Bottom)),
                        Qt::IntersectClip);
    auto drawLine = [&](const QString& line, int x, int y) {
        painter.save();
        painter.translate(x, y);
        painter.rotate(angle);
        painter.drawText(0, metrics.ascent(), line); // (x, y) is the top-left of the line
        painter.restore();
    };
    if (!WordWrap) {
        const QString& first = lines.front();
        const int x = centred ? x0 + (w - metrics.horizontalAdvance(first)) / 2 : x0;
        drawLine(first, x, y0);
        return;
    }
    const int available = static_cast<int>(lines.size());
    const int n = available < WordWrapNum ? available : WordWrapNum;
    for (int i = 0; i < WordWrapNum && i < available; ++i) {
        const int y = Layout == TTextLayout::tlBottom ? out.Bottom - lineHeight * (n - i)
                                                      : y0 + lineHeight * i;
        const int x = centred ? x0 + (w - metrics.horizontalAdvance(lines[i])) / 2 : x0;
        if (y >= out.Top) {
            drawLine(lines[i], x, y);
        } else if (y + lineHeight > out.Top) {
            // The part above the item's top is cut off.
            painter.save();
            painter.setClipRect(QRect(QPoint(x, out.Top), QPoint(out.Right, y + lineHeight - 1)),
                                Qt::IntersectClip);
            drawLine(lines[i], x, y);
            painter.restore();
        }
    }
}

} // namespace mirte
