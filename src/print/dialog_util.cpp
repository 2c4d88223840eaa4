#include "dialog_util.h"

#include "report/font_substitutes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace mirte {

QFont WindowFont(int pixelSize) {
    QFont font(QString::fromUtf8(kGuiFontFamily));
    font.setPixelSize(pixelSize);
    return font;
}

QPushButton* AddDialogButton(QWidget* parent, const QString& caption, const QRect& place) {
    auto* button = new QPushButton(caption, parent); // owned by the dialog
    button->setGeometry(place);
    button->setAutoDefault(false);
    return button;
}

void CentreWindow(QWidget& window) {
    QRect area;
    if (const QWidget* owner = window.parentWidget()) {
        area = owner->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    } else {
        return;
    }
    QRect frame(QPoint(0, 0), window.frameGeometry().size());
    frame.moveCenter(area.center());
    window.move(frame.topLeft());
}

TWaitCursor::TWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

TWaitCursor::~TWaitCursor() {
    QApplication::restoreOverrideCursor();
}

} // namespace mirte
