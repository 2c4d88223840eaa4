#include "lr_image.h"

#include "geometry.h"
#include "lr_error.h"
#include "picture/dib_graphic.h"
#include "picture/picture_error.h"
#include "picture/picture_format.h"
#include "util/rounding.h"

#include <QPainter>
#include <cmath>

namespace mirte {

namespace {

// Beyond this many picture pixels per printed inch nobody sees a difference.
constexpr int kMaxPrintPpi = 300;

} // namespace

QImage ReducedForPrint(const QImage& picture, QSize printed, int printerDpi) {
    if (printerDpi <= 0) {
        return picture;
    }
    const auto limit = [printerDpi](int devicePixels) {
        return static_cast<int>(
            std::ceil(static_cast<double>(devicePixels) * kMaxPrintPpi / printerDpi));
    };
    const int width = std::min(picture.width(), std::max(limit(printed.width()), 1));
    const int height = std::min(picture.height(), std::max(limit(printed.height()), 1));
    if (width == picture.width() && height == picture.height()) {
        return picture;
    }
    return picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TLRImage::SetPicture(const QImage& bitmap) {
    m_picture = bitmap;
}

void TLRImage::SetPicture(const TDibGraphic& dib) {
    m_picture = dib.ToImage();
}

void TLRImage::SetPictureData(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        m_picture = QImage();
        return;
    }
    const PictureFormat format = SniffFormat(bytes);
    if (format != PictureFormat::Bmp && format != PictureFormat::Jpeg) {
        RaiseLRError(lr_message::kPictureKind);
    }
    if (format == PictureFormat::Bmp) {
        TDibGraphic dib;
        dib.LoadFromBytes(bytes); // raises the bitmap codec's errors
        m_picture = dib.ToImage();
        return;
    }
    const QImage decoded = QImage::fromData(bytes, "JPEG");
    if (decoded.isNull()) {
        throw EPictureError(tr("JPEGイメージを読み込めません"));
    }
    m_picture = decoded;
}

void TLRImage::FitToRect(const TEdgeRect& rect) {
    const TEdgeRect placed = mirte::FitToRect(m_picture.width(), m_picture.height(), rect);
    SetBounds(placed.Left, placed.Top, placed.Width(), placed.Height());
}

void TLRImage::PrintItem(TLRCanvas& canvas, const TEdgeRect& rect, TPrintStatus status, double s) {
    if (status != TPrintStatus::stPrint || m_picture.isNull() || m_picture.width() <= 0 ||
        m_picture.height() <= 0 || canvas.Painter == nullptr) {
        return;
    }
    QPainter& painter = *canvas.Painter;
    if (canvas.IsPrinter) {
        // Sent at the picture's own resolution; the printer does the stretching.
        QImage working = m_picture;
        TEdgeRect r = rect;
        if (!Stretch) {
            const int w = std::min(r.Width(), working.width());
            const int h = std::min(r.Height(), working.height());
            if (w <= 0 || h <= 0) {
                return;
            }
            if (w < working.width() || h < working.height()) {
                working = working.copy(0, 0, w, h);
            }
            r.Right = r.Left + w;
            r.Bottom = r.Top + h;
        }
        const auto t = [s](int v) { return static_cast<int>(v * s); };
        const QRect dest(QPoint(t(r.Left), t(r.Top)), QPoint(t(r.Right) - 1, t(r.Bottom) - 1));
        if (dest.isEmpty()) {
            return;
        }
        painter.drawImage(dest, ReducedForPrint(working, dest.size(), canvas.PrinterDpi));
        return;
    }
    const auto round = [s](int v) { return RoundHalfEven(v * s); };
    const QRect dest(QPoint(round(rect.Left), round(rect.Top)),
                     QPoint(round(rect.Right) - 1, round(rect.Bottom) - 1));
    if (dest.isEmpty()) {
        return;
    }
    if (dest.size() == m_picture.size()) {
        painter.drawImage(dest.topLeft(), m_picture);
    } else {
        // Scaled here with area averaging rather than by the painter's sampling, which would
        // alias a picture made much smaller.
        painter.drawImage(dest.topLeft(), m_picture.scaled(dest.size(), Qt::IgnoreAspectRatio,
                                                           Qt::SmoothTransformation));
    }
}

} // namespace mirte
