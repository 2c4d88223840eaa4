#pragma once

// What the report forms use to build their component trees in code.
#include "report/lr_control.h"
#include "report/lr_panels.h"
#include "report/lr_text_item.h"

namespace mirte::form {

// A control of kind T on a parent, at its design bounds.
template <class T> T* Make(TLRControl* parent, int left, int top, int width, int height) {
    T* control = TLRControl::Create<T>(parent);
    control->SetBounds(left, top, width, height);
    return control;
}

// A panel docked before it is sized, so that the size it is given is the one it keeps along the
// side it is docked to.
template <class T>
T* MakeDocked(TLRControl* parent, TLRAlign align, int left, int top, int width, int height) {
    T* panel = TLRControl::Create<T>(parent);
    panel->SetLRAlign(align);
    panel->SetBounds(left, top, width, height);
    return panel;
}

inline TLRLayoutPanel* MakePanel(TLRControl* parent, TLRAlign align, int left, int top, int width,
                                 int height) {
    return MakeDocked<TLRLayoutPanel>(parent, align, left, top, width, height);
}

// The form's font ("ＭＳ Ｐゴシック") at another pixel height.
inline TLRFont FontOfHeight(int pixels) {
    TLRFont font;
    font.Height = pixels;
    return font;
}

inline void SetLines(TCustomLRTextItem& item, TLineStyle top, TLineStyle left, TLineStyle right,
                     TLineStyle bottom) {
    item.LineTop = top;
    item.LineLeft = left;
    item.LineRight = right;
    item.LineBottom = bottom;
}

inline void SetFontSize(TLRControl& control, int points) {
    TLRFont font = control.Font();
    font.SetSize(points);
    control.SetFont(font);
}

// The frame lines' colour of the cells' grid lines and ruled lines.
inline const QColor Silver{192, 192, 192};

} // namespace mirte::form
