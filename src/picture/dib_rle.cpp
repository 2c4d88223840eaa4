#include "dib_rle.h"

#include <algorithm>

namespace mirte {

namespace {

// Writes pixels along one row, dropping those outside the image. x and y only grow, so a
// hostile stream can cost no more work than its own length plus the image's pixels.
class TRleCursor {
public:
    TRleCursor(QImage& image, bool topDown)
        : m_image(image), m_width(image.width()), m_height(image.height()), m_topDown(topDown) {}

    bool Done() const { return m_y >= m_height; }
    void EndOfLine() {
        m_x = 0;
        ++m_y;
    }
    void Move(int dx, int dy) {
        m_x += dx;
        m_y += dy;
    }
    // How many of count pixels from the cursor fall inside the row.
    qint64 Visible(qint64 count) const {
        return Done() ? 0 : std::clamp<qint64>(m_width - m_x, 0, count);
    }
    uchar* Line() {
        return m_image.scanLine(static_cast<int>(m_topDown ? m_y : m_height - 1 - m_y));
    }
    // Writes Visible(count) pixels given by index(i), then moves past all count pixels.
    template <typename IndexOf> void Put(qint64 count, IndexOf index) {
        const qint64 visible = Visible(count);
        if (visible > 0) {
            uchar* line = Line() + m_x;
            for (qint64 i = 0; i < visible; ++i) {
                line[i] = index(i);
            }
        }
        m_x += count;
    }

private:
    QImage& m_image;
    qint64 m_width;
    qint64 m_height;
    bool m_topDown;
    qint64 m_x = 0;
    qint64 m_y = 0;
};

} // namespace

void DecodeDibRle(QByteArrayView data, bool rle4, bool topDown, QImage& image) {
    TRleCursor cursor(image, topDown);
    const auto* bytes = reinterpret_cast<const uchar*>(data.data());
    const qint64 size = data.size();
    qint64 pos = 0;
    while (pos + 1 < size && !cursor.Done()) {
        const int count = bytes[pos];
        const uchar value = bytes[pos + 1];
        pos += 2;
        if (count > 0) {
            // A run: one index repeated, or for RLE4 two indexes taking turns.
            cursor.Put(count, [&](qint64 i) {
                return rle4 ? uchar(i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
            });
            continue;
        }
        switch (value) {
        case 0:
            cursor.EndOfLine();
            break;
        case 1:
            return;
        case 2:
            if (pos + 1 >= size) {
                return;
            }
            cursor.Move(bytes[pos], bytes[pos + 1]);
            pos += 2;
            break;
        default: {
            // Literal pixels, padded to a 16-bit boundary; data that ends early ends the run.
            const qint64 dataBytes = rle4 ? (value + 1) / 2 : value;
            const qint64 available = std::min(dataBytes, size - pos);
            const qint64 pixels = rle4 ? std::min<qint64>(value, 2 * available) : available;
            const uchar* literal = bytes + pos;
            cursor.Put(pixels, [&](qint64 i) {
                return rle4 ? uchar(i % 2 == 0 ? literal[i / 2] >> 4 : literal[i / 2] & 0x0F)
                            : literal[i];
            });
            pos += dataBytes + (dataBytes & 1);
            break;
        }
        }
    }
}

} // namespace mirte
