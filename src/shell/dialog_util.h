#pragma once

#include <QFont>

class QWidget;

namespace mirte {

// The font of the program's windows: "ＭＳ Ｐゴシック" with the given pixel height.
QFont WindowFont(int pixelSize = 12);

// Moves the window so that it is centred on its owner, or on the desktop when it has none.
void CentreWindow(QWidget& window);

} // namespace mirte
