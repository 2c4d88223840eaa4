#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <stdexcept>

namespace mirte {

// A setter was given a value that the control's state does not allow.
class EInvalidOperation : public std::runtime_error {
public:
    explicit EInvalidOperation(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };
enum class TGaugeBorderStyle { bsNone, bsSingle };

// A progress control: a bar (or text, pie, needle) with the percentage in inverted colours.
// Painted off screen and copied in one step, so it never flickers.
class TGauge : public QWidget {
    Q_OBJECT
public:
    explicit TGauge(QWidget* parent = nullptr);

    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor& color);
    QColor ForeColor() const { return m_foreColor; }
    void SetForeColor(const QColor& color);
    TGaugeBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TGaugeBorderStyle style);
    TGaugeKind Kind() const { return m_kind; }
    void SetKind(TGaugeKind kind);
    bool ShowText() const { return m_showText; }
    void SetShowText(bool show);

    int MinValue() const { return m_minValue; }
    // Raises EInvalidOperation for a minimum above the maximum; pulls Progress into range.
    void SetMinValue(int value);
    int MaxValue() const { return m_maxValue; }
    // Raises EInvalidOperation for a maximum below the minimum; pulls Progress into range.
    void SetMaxValue(int value);
    int Progress() const { return m_progress; }
    // Clamped to MinValue..MaxValue; repaints only when PercentDone changes.
    void SetProgress(int value);

    // trunc((Progress - MinValue) * 100 / (MaxValue - MinValue)); 0 for an empty range.
    int PercentDone() const;

    // The control as it paints itself, at its current size.
    QImage Render() const;

    QSize sizeHint() const override { return {100, 100}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect DrawingRect() const;
    void PaintBar(QImage& image, const QRect& area, bool horizontal) const;
    void PaintPie(QImage& image, const QRect& area) const;
    void PaintNeedle(QImage& image, const QRect& area) const;
    void PaintText(QImage& image, const QRect& area) const;

    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    TGaugeBorderStyle m_borderStyle = TGaugeBorderStyle::bsSingle;
    TGaugeKind m_kind = TGaugeKind::gkHorizontalBar;
    bool m_showText = true;
    int m_minValue = 0;
    int m_maxValue = 100;
    int m_progress = 0;
};

} // namespace mirte
