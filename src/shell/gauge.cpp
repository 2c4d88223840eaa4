#include "gauge.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <limits>

namespace mirte {

namespace {

constexpr int kMaxInt = std::numeric_limits<int>::max();

QString OutOfRangeMessage(int low, int high) {
    return QCoreApplication::translate("Gauge", "%1 から %2 の間の値でなければなりません")
        .arg(low)
        .arg(high);
}

} // namespace

EInvalidOperation::EInvalidOperation(const QString& message)
    : std::runtime_error(message.toStdString()) {}

TGauge::TGauge(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(100, 100);
}

void TGauge::SetBackColor(const QColor& color) {
    if (color != m_backColor) {
        m_backColor = color;
        update();
    }
}

void TGauge::SetForeColor(const QColor& color) {
    if (color != m_foreColor) {
        m_foreColor = color;
        update();
    }
}

void TGauge::SetBorderStyle(TGaugeBorderStyle style) {
    if (style != m_borderStyle) {
        m_borderStyle = style;
        update();
    }
}

void TGauge::SetKind(TGaugeKind kind) {
    if (kind != m_kind) {
        m_kind = kind;
        update();
    }
}

void TGauge::SetShowText(bool show) {
    if (show != m_showText) {
        m_showText = show;
        update();
    }
}

void TGauge::SetMinValue(int value) {
    if (value == m_minValue) {
        return;
    }
    if (value > m_maxValue) {
        throw EInvalidOperation(OutOfRangeMessage(-kMaxInt, m_maxValue));
    }
    m_minValue = value;
    m_progress = std::max(m_progress, value);
    update();
}

void TGauge::SetMaxValue(int value) {
    if (value == m_maxValue) {
        return;
    }
    if (value < m_minValue) {
        throw EInvalidOperation(OutOfRangeMessage(m_minValue, kMaxInt));
    }
    m_maxValue = value;
    m_progress = std::min(m_progress, value);
    update();
}

void TGauge::SetProgress(int value) {
    value = std::clamp(value, m_minValue, m_maxValue);
    if (value == m_progress) {
        return;
    }
    const int before = PercentDone();
    m_progress = value;
    if (PercentDone() != before) {
        update();
    }
}

int TGauge::PercentDone() const {
    const qint64 range = qint64(m_maxValue) - m_minValue;
    if (range == 0) {
        return 0;
    }
    return static_cast<int>((qint64(m_progress) - m_minValue) * 100 / range);
}

QRect TGauge::DrawingRect() const {
    const QRect client = rect();
    return m_borderStyle == TGaugeBorderStyle::bsSingle ? client.adjusted(1, 1, -1, -1) : client;
}

void TGauge::PaintBar(QImage& image, const QRect& area, bool horizontal) const {
    QPainter painter(&image);
    painter.fillRect(area, m_backColor);
    // Integer arithmetic: the exact truncation of extent x percent / 100.
    if (horizontal) {
        const int extent = area.width();
        const int filled = std::min(extent, extent * PercentDone() / 100);
        if (filled >= 1) {
            painter.fillRect(QRect(area.left(), area.top(), filled, area.height()), m_foreColor);
        }
    } else {
        const int extent = area.height();
        const int filled = std::min(extent, extent * PercentDone() / 100);
        if (filled >= 1) {
            painter.fillRect(QRect(area.left(), area.bottom() - filled + 1, area.width(), filled),
                             m_foreColor);
        }
    }
}

void TGauge::PaintPie(QImage& image, const QRect& area) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_foreColor);
    painter.setBrush(m_backColor);
    const QRect circle = area.adjusted(0, 0, -1, -1);
    painter.drawEllipse(circle);
    if (PercentDone() > 0) {
        painter.setBrush(m_foreColor);
        // Qt's angles run counter-clockwise from three o'clock in 1/16 degree.
        painter.drawPie(circle, 90 * 16, -PercentDone() * 360 * 16 / 100);
    }
}

void TGauge::PaintNeedle(QImage& image, const QRect& area) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect disc(area.left(), area.top(), area.width() - 1, 2 * area.height() - 2);
    painter.setPen(m_foreColor);
    painter.setBrush(m_backColor);
    painter.drawPie(disc, 0, 180 * 16);
    const QPointF centre(disc.center().x(), area.bottom());
    const qreal angle = M_PI * (1.0 - PercentDone() / 100.0);
    const QPointF tip(centre.x() + std::cos(angle) * disc.width() / 2.0,
                      centre.y() - std::sin(angle) * (area.height() - 1));
    painter.drawLine(centre, tip);
}

void TGauge::PaintText(QImage& image, const QRect& area) const {
    // The text is drawn white on a black mask and laid over the picture by exclusive-or, so it
    // shows in the inverse of whatever lies beneath it.
    QImage mask(image.size(), QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter painter(&mask);
        QFont plain = font();
        plain.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(plain);
        painter.setPen(Qt::white);
        painter.drawText(area, Qt::AlignCenter, QString::asprintf("%d%%", PercentDone()));
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* text = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(text[x]) >= 128) {
                target[x] = 0xFF000000u | ((target[x] ^ 0x00FFFFFFu) & 0x00FFFFFFu);
            }
        }
    }
}

QImage TGauge::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(backgroundRole()));
    const QRect area = DrawingRect();
    if (m_borderStyle == TGaugeBorderStyle::bsSingle) {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (area.isEmpty()) {
        return image;
    }
    switch (m_kind) {
    case TGaugeKind::gkText: {
        QPainter painter(&image);
        painter.fillRect(area, m_backColor);
        break;
    }
    case TGaugeKind::gkHorizontalBar:
        PaintBar(image, area, true);
        break;
    case TGaugeKind::gkVerticalBar:
        PaintBar(image, area, false);
        break;
    case TGaugeKind::gkPie:
        PaintPie(image, area);
        break;
    case TGaugeKind::gkNeedle:
        PaintNeedle(image, area);
        break;
    }
    if (m_showText) {
        PaintText(image, area);
    }
    return image;
}

void TGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

} // namespace mirte
