#include "frm_logo.h"

#include "print/dialog_util.h"
#include "program_pictures.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QWindow>

namespace mirte {

TfrmLogo::TfrmLogo()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(421, 130);
    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 420, 130);
    Image1->setPixmap(QPixmap::fromImage(SplashPicture()));
    CentreWindow(*this);
    // Another window of the program taking the focus counts as losing activation too, in case
    // the splash was never activated (some window managers do not focus frameless windows).
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TfrmLogo::FocusWindowChanged);
    qApp->installEventFilter(this); // for the splash's short life only
}

TfrmLogo* TfrmLogo::ShowSplash() {
    auto* splash = new TfrmLogo(); // deletes itself on close
    splash->show();
    splash->activateWindow();
    splash->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return splash;
}

void TfrmLogo::FormDeactivate() {
    close();
}

void TfrmLogo::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (isActiveWindow()) {
        m_wasActive = true;
    } else if (m_wasActive) {
        FormDeactivate();
    }
}

bool TfrmLogo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        const auto* widget = static_cast<const QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog)) {
            // Closed after the event, so that the window being shown is not held up.
            QMetaObject::invokeMethod(this, &TfrmLogo::FormDeactivate, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmLogo::FocusWindowChanged(QWindow* window) {
    if (window != nullptr && window != windowHandle()) {
        FormDeactivate();
    }
}

} // namespace mirte
