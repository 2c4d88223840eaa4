#pragma once

#include "report/printer_device.h"

#include <QImage>
#include <QPainter>
#include <memory>

namespace mirte::test {

// A printer this machine does not have: A4 at 600 dots per inch, 4960 x 7016 dots with offsets
// of 100 dots and 4760 x 6816 printable dots, turning with its orientation. Its pages are drawn
// into images, so tests can look at what was printed.
class FakePrinterDevice : public TPrinterDevice {
public:
    int Dpi = 600;
    int Scale = 100;
    bool Answers = true;      // false: every query of the device fails
    bool AcceptsPaper = true; // false: the driver refuses paper and orientation settings
    QString PrinterName = QStringLiteral("test printer");
    QString Title;
    QPageSize Paper = QPageSize(QPageSize::Letter);
    int Restored = 0; // how often the defaults came back
    int NewPages = 0; // sheets ended by NewPage
    std::vector<QImage> Pages;
    std::vector<QImage> Aborted; // pages of the last aborted job

    QString Name() const override { return PrinterName; }
    bool Metrics(TPrinterMetrics& m) const override {
        if (!Answers) {
            return false;
        }
        m = {Dpi, Dpi, 4960, 7016, 100, 100, 4760, 6816};
        if (m_orientation == TPrinterOrientation::poLandscape) {
            m = {Dpi, Dpi, 7016, 4960, 100, 100, 6816, 4760};
        }
        return true;
    }
    int ScalePercent() const override { return Scale; }
    TPrinterOrientation Orientation() const override { return m_orientation; }
    bool SetOrientation(TPrinterOrientation orientation) override {
        if (!AcceptsPaper || m_painter) {
            return false;
        }
        m_orientation = orientation;
        return true;
    }
    void SetTitle(const QString& title) override { Title = title; }
    bool SetPaper(const QPageSize& paper, TPrinterOrientation orientation) override {
        if (!AcceptsPaper || m_painter) {
            return false;
        }
        Paper = paper;
        m_orientation = orientation;
        return true;
    }
    void RestoreDefaults() override {
        ++Restored;
        Paper = QPageSize(QPageSize::Letter);
        m_orientation = TPrinterOrientation::poPortrait;
        Scale = 100;
    }

    bool BeginDoc() override {
        if (m_painter) {
            return false;
        }
        Pages.clear();
        NewPages = 0;
        StartPage();
        return true;
    }
    bool NewPage() override {
        if (!m_painter) {
            return false;
        }
        m_painter->end();
        ++NewPages;
        StartPage();
        return true;
    }
    bool EndDoc() override {
        if (!m_painter) {
            return false;
        }
        m_painter->end();
        m_painter.reset();
        return true;
    }
    void Abort() override {
        if (m_painter) {
            m_painter->end();
            m_painter.reset();
            Aborted = std::move(Pages);
            Pages.clear();
        }
    }
    bool Printing() const override { return m_painter != nullptr; }
    QPainter* Painter() override { return m_painter.get(); }

private:
    void StartPage() {
        TPrinterMetrics m;
        Metrics(m);
        // Pages at a tenth of the size keep the tests light; what matters is what is drawn.
        Pages.emplace_back(m.PrintableWidth / 10, m.PrintableHeight / 10, QImage::Format_RGB32);
        Pages.back().fill(Qt::white);
        m_painter = std::make_unique<QPainter>(&Pages.back());
        m_painter->scale(1.0 / 10, 1.0 / 10);
    }

    TPrinterOrientation m_orientation = TPrinterOrientation::poPortrait;
    std::unique_ptr<QPainter> m_painter;
};

} // namespace mirte::test
