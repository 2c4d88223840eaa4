#pragma once

#include <QWidget>

class QLabel;
class QWindow;

namespace mirte {

// The splash window: the splash picture without a frame, centred on the desktop. It frees
// itself as soon as another window of the program is shown (the main window, or a start-up
// message box) and whenever it loses activation, so that it never stays in front of the grid
// where no window manager moves the activation.
class TfrmLogo : public QWidget {
    Q_OBJECT
public:
    TfrmLogo();

    // Creates the splash without owner, shows it and paints it at once. It deletes itself;
    // the returned pointer is for tests and becomes dangling once it has closed.
    static TfrmLogo* ShowSplash();

    QLabel* Image1 = nullptr;

public slots:
    void FormDeactivate();

protected:
    void changeEvent(QEvent* event) override;
    // Watches the program's windows being shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusWindowChanged(QWindow* window);
    bool m_wasActive = false;
};

} // namespace mirte
