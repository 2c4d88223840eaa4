#pragma once

#include "row_sink.h"

#include <QImage>
#include <QSize>
#include <cstdint>
#include <vector>

namespace mirte {

// Scales a picture arriving row by row to an exact size. Shrinking averages every source pixel
// over the area it covers (no aliasing, a fine stripe pattern becomes an even grey); enlarging,
// which only small pictures need, keeps them whole and scales them bilinearly at the end (on the
// calling thread: Qt's smooth scaling would spread over a thread pool of its own).
class AreaScaler : public RowSink {
public:
    explicit AreaScaler(QSize target);

    void Begin(int width, int height) override;
    void Row(const std::uint8_t* rgb) override;

    // The scaled picture (RGB888). Rows that never arrived stay black.
    QImage Result();

private:
    void EmitRow(int y);

    QSize m_target;
    int m_sourceWidth = 0;
    int m_sourceHeight = 0;
    int m_row = 0;
    bool m_shrinking = true;
    QImage m_image; // the result while shrinking; the whole source while enlarging

    // Horizontal taps: output column x takes m_tapCount[x] source pixels from m_tapStart[x].
    std::vector<int> m_tapStart;
    std::vector<int> m_tapCount;
    // Fixed point: 255 x one x one still fits 32 bits.
    std::vector<std::uint32_t> m_weights;
    std::vector<std::uint32_t> m_line; // one source row reduced to the target width
    std::vector<std::uint32_t> m_sum;  // the output row being filled
    int m_outRow = 0;
};

} // namespace mirte
