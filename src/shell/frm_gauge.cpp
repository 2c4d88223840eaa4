#include "frm_gauge.h"

#include "gauge.h"
#include "print/dialog_util.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace mirte {

TfrmGauge::TfrmGauge(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(tr("印刷の準備中"));
    setFont(WindowFont());
    setFixedSize(297, 94);

    Gauge = new TGauge(this);
    Gauge->setGeometry(8, 12, 281, 21);
    Gauge->SetForeColor(QColor(0, 0, 128)); // navy
    Gauge->SetProgress(0);

    Label1 = new QLabel(tr("印刷の準備をしています"), this);
    Label1->setFont(WindowFont(13));
    Label1->move(72, 40);
    Label1->adjustSize();

    Button1 = AddDialogButton(this, tr("キャンセル"), QRect(96, 64, 101, 25));
    connect(Button1, &QPushButton::clicked, this, &TfrmGauge::Button1Click);
}

void TfrmGauge::SetPercent(int value) {
    Percent = std::clamp(value, 0, 100);
    Gauge->SetProgress(Percent);
    Gauge->repaint();
}

void TfrmGauge::Start() {
    SetPercent(0);
    setWindowModality(Qt::ApplicationModal);
    show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // painted at once
}

void TfrmGauge::PagePrinted(int, int, int percent) {
    SetPercent(percent);
}

bool TfrmGauge::CancelRequested() {
    // Lets the click on "キャンセル" in; the other windows are blocked while this one shows.
    QCoreApplication::processEvents();
    return Cancelled;
}

void TfrmGauge::Finish() {
    hide();
    setWindowModality(Qt::NonModal);
}

void TfrmGauge::Button1Click() {
    Cancelled = true;
}

void TfrmGauge::showEvent(QShowEvent* event) {
    Cancelled = false;
    CentreWindow(*this);
    QDialog::showEvent(event);
}

void TfrmGauge::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // While pages are prepared the dialog keeps the focus, so that the cancel button is at hand;
    // a modal window (a message box) keeps it while it is open.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow()) {
        QTimer::singleShot(0, this, [this] {
            const QWidget* modal = QApplication::activeModalWidget();
            if (isVisible() && !isActiveWindow() && (modal == nullptr || modal == this)) {
                activateWindow();
                raise();
            }
        });
    }
}

void TfrmGauge::keyPressEvent(QKeyEvent* event) {
    // Escape must not hide the dialog behind the running print job's back.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmGauge::closeEvent(QCloseEvent* event) {
    // The window manager's close asks to cancel; the print job hides the dialog itself.
    if (event->spontaneous()) {
        Cancelled = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace mirte
