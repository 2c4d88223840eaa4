#pragma once

#include "picture_limits.h"
#include "row_sink.h"

#include <QImage>
#include <QString>
#include <cstring>

namespace mirte {

// Gathers a decoder's rows into a picture, whose size is checked against the program's limits
// before anything is allocated. Rows beyond the announced height are dropped.
class TImageSink : public RowSink {
public:
    explicit TImageSink(QString path) : m_path(std::move(path)) {}

    void Begin(int width, int height) override {
        CheckPictureSize(m_path, width, height);
        m_image = QImage(width, height, QImage::Format_RGB888);
        m_row = 0;
    }
    void Row(const std::uint8_t* rgb) override {
        if (!m_image.isNull() && m_row < m_image.height()) {
            std::memcpy(m_image.scanLine(m_row++), rgb, std::size_t(m_image.width()) * 3);
        }
    }
    QImage Take() { return std::move(m_image); }

private:
    QString m_path;
    QImage m_image;
    int m_row = 0;
};

} // namespace mirte
