#pragma once

// What the program's windows share: their font, fixed buttons, centring and the hourglass.
#include <QFont>

class QPushButton;
class QRect;
class QString;
class QWidget;

namespace mirte {

// The font of the program's windows: "ＭＳ Ｐゴシック" with the given pixel height.
QFont WindowFont(int pixelSize = 12);

// A push button at a fixed place that Enter does not press unless it has the focus.
QPushButton* AddDialogButton(QWidget* parent, const QString& caption, const QRect& place);

// Moves the window so that it is centred on its owner, or on the desktop when it has none.
void CentreWindow(QWidget& window);

// The hourglass for the scope of a long action, also when an error passes.
class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace mirte
