#pragma once

#include "lr_item.h"

#include <QFont>
#include <QString>

class QFontMetrics;

namespace mirte {

// What the two text boxes share: background, frame lines, margins and the text itself.
class TCustomLRTextItem : public TCustomLRItem {
public:
    TTextAlignment Alignment = TTextAlignment::taLeftJustify;
    TTextLayout Layout = TTextLayout::tlTop;
    QString DisplayMask;
    QColor LineColor = Qt::black;
    TLineStyle LineTop = TLineStyle::lsNone;
    TLineStyle LineLeft = TLineStyle::lsNone;
    TLineStyle LineRight = TLineStyle::lsNone;
    TLineStyle LineBottom = TLineStyle::lsNone;
    bool Transparent = true;
    bool WordWrap = false;

    const QString& Text() const { return m_text; }
    void SetText(const QString& text) { m_text = text; }
    int HMargin() const { return m_hMargin; }
    int VMargin() const { return m_vMargin; }
    // Values outside -255 ... 255 are ignored.
    void SetHMargin(int margin);
    void SetVMargin(int margin);

    // The text as drawn: through DisplayMask when there is one.
    QString DisplayText() const;

    void PrintItem(TLRCanvas& canvas, const TEdgeRect& rect, TPrintStatus status,
                   double scale) override;

protected:
    // Where the text goes, measured for the canvas font.
    struct TextPlace {
        TEdgeRect Out;      // the item's rectangle on the device, right and bottom inclusive
        TEdgeRect TextRect; // the text's rectangle after margins and layout
        int Flags = 0;      // Qt alignment and wrapping flags
    };
    virtual void DrawText(QPainter& painter, const QFont& font, const TextPlace& place,
                          const QString& text) = 0;

private:
    QString m_text;
    int m_hMargin = 2;
    int m_vMargin = 2;
};

// A text box.
class TLRItem : public TCustomLRTextItem {
protected:
    void DrawText(QPainter& painter, const QFont& font, const TextPlace& place,
                  const QString& text) override;
};

// A text box that can turn its text by quarter turns and draws at most WordWrapNum lines.
class TLRItem2 : public TCustomLRTextItem {
public:
    TEscapementStatus Escapement = TEscapementStatus::esNormal;
    int WordWrapNum = 2; // 0 ... 255; 0 draws no text at all

protected:
    void DrawText(QPainter& painter, const QFont& font, const TextPlace& place,
                  const QString& text) override;
};

// The font for a canvas: a printer sizes points by its own resolution, every other canvas gets
// the size scaled (rounded, halves to even) at 96 dots per inch.
QFont CanvasFont(const TLRFont& font, const TLRCanvas& canvas, double scale);

// The pen width of a frame line at a scale; 0 is the device's thinnest line.
int LineWidth(TLineStyle style, double scale);

} // namespace mirte
