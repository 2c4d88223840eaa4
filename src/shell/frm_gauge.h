#pragma once

#include "layouts/print_progress.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace mirte {

class TGauge;

// The progress dialog shown while pages are prepared for printing ("印刷の準備中").
//
// How a print run uses it (as its TPrintProgress): SetPercent(0) and shown without waiting;
// after each page SetPercent(page * 100 / pageCount) and a look at Cancelled, during which the
// cancel button's click comes in; hidden at the end. While it is shown the other windows take
// no input, so nothing else starts in the middle of a run.
class TfrmGauge : public QDialog, public TPrintProgress {
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

    // TPrintProgress.
    void Start() override;
    void PagePrinted(int page, int pageTotal, int percent) override;
    bool CancelRequested() override;
    void Finish() override;

public slots:
    void Button1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace mirte
