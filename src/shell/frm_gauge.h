#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace mirte {

class TGauge;

// The progress dialog shown while pages are prepared for printing ("印刷の準備中").
//
// How a print job uses it: SetPercent(0) and show() (modeless); after each page
// SetPercent(page * 100 / pageCount), let the event loop run (QCoreApplication::processEvents)
// so that the cancel button can be pressed, and stop when Cancelled is true; hide() at the end.
class TfrmGauge : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGauge(QWidget* owner = nullptr);

    // Clamped to 0..100; shown at once.
    void SetPercent(int value);
    int Percent = 0;
    // Cleared each time the dialog is shown; set by the cancel button (or by closing the window).
    bool Cancelled = false;

    TGauge* Gauge = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace mirte
