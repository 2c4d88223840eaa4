#include "area_scaler.h"

#include <algorithm>
#include <cstring>

namespace mirte {

namespace {

// Weights are fixed-point fractions of 1 << WeightBits. Each output pixel's weights are made to
// add up to exactly one, so that a flat picture stays flat: the weight of a part of a span is
// taken as the difference of the shares up to its two ends.
constexpr int WeightBits = 12;
constexpr std::uint32_t Half = std::uint32_t{1} << (2 * WeightBits - 1);

std::uint32_t Share(qint64 length, qint64 span) {
    return static_cast<std::uint32_t>((length << WeightBits) / span);
}

// The picture enlarged bilinearly (RGB888), here rather than by Qt's smooth scaling, which
// spreads itself over a thread pool of its own: a render worker is one thread.
QImage Enlarged(const QImage& source, QSize target) {
    QImage out(target, QImage::Format_RGB888);
    const int sw = source.width();
    const int sh = source.height();
    // Source positions of the output pixels' centres, in 1/256 pixel.
    const auto place = [](int i, int from, int to) {
        const qint64 centre = ((2 * qint64{i} + 1) * from * 256) / (2 * qint64{to}) - 128;
        return static_cast<int>(std::clamp<qint64>(centre, 0, qint64{from - 1} * 256));
    };
    std::vector<int> xs(std::size_t(target.width()));
    for (int x = 0; x < target.width(); ++x) {
        xs[std::size_t(x)] = place(x, sw, target.width());
    }
    for (int y = 0; y < target.height(); ++y) {
        const int py = place(y, sh, target.height());
        const int y0 = py >> 8;
        const int y1 = std::min(y0 + 1, sh - 1);
        const int fy = py & 255;
        const std::uint8_t* top = source.constScanLine(y0);
        const std::uint8_t* bottom = source.constScanLine(y1);
        std::uint8_t* o = out.scanLine(y);
        for (int x = 0; x < target.width(); ++x, o += 3) {
            const int px = xs[std::size_t(x)];
            const int x0 = px >> 8;
            const int x1 = std::min(x0 + 1, sw - 1);
            const int fx = px & 255;
            for (int c = 0; c < 3; ++c) {
                const int upper = top[3 * x0 + c] * (256 - fx) + top[3 * x1 + c] * fx;
                const int lower = bottom[3 * x0 + c] * (256 - fx) + bottom[3 * x1 + c] * fx;
                o[c] = static_cast<std::uint8_t>((upper * (256 - fy) + lower * fy + 32768) >> 16);
            }
        }
    }
    return out;
}

} // namespace

AreaScaler::AreaScaler(QSize target) : m_target(target) {}

void AreaScaler::Begin(int width, int height) {
    m_sourceWidth = width;
    m_sourceHeight = height;
    m_row = 0;
    m_outRow = 0;
    const int dw = m_target.width();
    const int dh = m_target.height();
    // A picture of the very size wanted is only copied; one smaller than it on any side is kept
    // whole and enlarged at the end.
    m_shrinking = dw <= width && dh <= height && (dw < width || dh < height);
    if (!m_shrinking) {
        m_image = QImage(width, height, QImage::Format_RGB888);
        m_image.fill(Qt::black);
        return;
    }
    m_image = QImage(dw, dh, QImage::Format_RGB888);
    m_image.fill(Qt::black);

    // In units of 1/(dw * width): output column x spans [x*width, (x+1)*width) and source
    // column i spans [i*dw, (i+1)*dw); the weight is the overlap over the output span.
    m_tapStart.assign(dw, 0);
    m_tapCount.assign(dw, 0);
    m_weights.clear();
    for (int x = 0; x < dw; ++x) {
        const qint64 from = qint64{x} * width;
        const qint64 to = from + width;
        const int first = static_cast<int>(from / dw);
        const int last = static_cast<int>(std::min<qint64>((to - 1) / dw, width - 1));
        m_tapStart[x] = first;
        m_tapCount[x] = last - first + 1;
        for (int i = first; i <= last; ++i) {
            const qint64 start = std::max<qint64>(from, qint64{i} * dw) - from;
            const qint64 end = std::min<qint64>(to, qint64{i + 1} * dw) - from;
            m_weights.push_back(Share(end, width) - Share(start, width));
        }
    }
    m_line.assign(std::size_t(dw) * 3, 0);
    m_sum.assign(std::size_t(dw) * 3, 0);
}

void AreaScaler::Row(const std::uint8_t* rgb) {
    if (m_row >= m_sourceHeight) {
        return;
    }
    if (!m_shrinking) {
        std::memcpy(m_image.scanLine(m_row), rgb, std::size_t(m_sourceWidth) * 3);
        ++m_row;
        return;
    }
    const int dw = m_target.width();
    const int dh = m_target.height();
    const std::uint32_t* weight = m_weights.data();
    for (int x = 0; x < dw; ++x) {
        const std::uint8_t* p = rgb + std::size_t(m_tapStart[x]) * 3;
        std::uint32_t r = 0, g = 0, b = 0;
        for (int t = 0; t < m_tapCount[x]; ++t, p += 3) {
            const std::uint32_t w = *weight++;
            r += w * p[0];
            g += w * p[1];
            b += w * p[2];
        }
        const std::size_t at = std::size_t(x) * 3;
        m_line[at] = r;
        m_line[at + 1] = g;
        m_line[at + 2] = b;
    }
    // Vertically, in units of 1/(dh * height): output row y spans [y*height, (y+1)*height),
    // this source row spans [row*dh, (row+1)*dh). Shrinking, it touches at most two output rows.
    const qint64 rowFrom = qint64{m_row} * dh;
    const qint64 rowTo = rowFrom + dh;
    while (m_outRow < dh) {
        const qint64 outFrom = qint64{m_outRow} * m_sourceHeight;
        const qint64 outTo = outFrom + m_sourceHeight;
        const std::uint32_t w = Share(std::min(rowTo, outTo) - outFrom, m_sourceHeight) -
                                Share(std::max(rowFrom, outFrom) - outFrom, m_sourceHeight);
        for (std::size_t i = 0; i < m_sum.size(); ++i) {
            m_sum[i] += w * m_line[i];
        }
        if (outTo > rowTo) {
            break; // the output row goes on in the next source row
        }
        EmitRow(m_outRow++);
        if (outTo == rowTo) {
            break;
        }
    }
    ++m_row;
}

void AreaScaler::EmitRow(int y) {
    std::uint8_t* out = m_image.scanLine(y);
    for (std::size_t i = 0; i < m_sum.size(); ++i) {
        out[i] = static_cast<std::uint8_t>((m_sum[i] + Half) >> (2 * WeightBits));
        m_sum[i] = 0;
    }
}

QImage AreaScaler::Result() {
    if (!m_shrinking && m_image.size() == m_target) {
        return m_image;
    }
    if (!m_shrinking) {
        return Enlarged(m_image, m_target);
    }
    return m_image;
}

} // namespace mirte
