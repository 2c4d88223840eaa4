#include "dib_graphic.h"

#include "dib_convert.h"
#include "dib_reader.h"
#include "dib_writer.h"
#include "util/errors.h"
#include "util/replace_file.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <optional>

namespace mirte {

TDibGraphic::TDibGraphic() : m_dib(std::make_shared<TInternalDib>(MakeDib(1, 1, 8))) {}

void TDibGraphic::LoadFromStream(QIODevice& in) {
    // Read completely before replacing, so that a failure leaves the old image in place.
    m_dib = std::make_shared<TInternalDib>(ReadDib(in));
}

void TDibGraphic::LoadFromFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EDibError(QStringLiteral("TDibGraphic.LoadFromFile: Cannot open \"%1\"").arg(path));
    }
    LoadFromStream(file);
}

void TDibGraphic::LoadFromBytes(QByteArrayView bytes) {
    // A view on the caller's bytes: no copy.
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

void TDibGraphic::SaveToStream(QIODevice& out) const {
    WriteDib(*m_dib, out);
}

void TDibGraphic::SaveToFile(const QString& path) const {
    // Written beside the target and renamed over it, so that a failure leaves no half a file.
    std::optional<TAtomicFile> file;
    try {
        file.emplace(path);
    } catch (const EInOutError&) {
        throw EDibError(QStringLiteral("TDibGraphic.SaveToFile: Cannot create \"%1\"").arg(path));
    }
    try {
        file->Write(SaveToBytes());
        file->Commit(true);
    } catch (const EInOutError&) {
        throw EDibError(QStringLiteral("TDibGraphic.SaveToFile: Cannot write \"%1\"").arg(path));
    }
}

QByteArray TDibGraphic::SaveToBytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteDib(*m_dib, buffer);
    return bytes;
}

QImage TDibGraphic::ToImage() const {
    QImage image = DibToImage(*m_dib);
    if (image.isNull()) {
        throw EDibCanvasFailed(QStringLiteral("TDibGraphic.AssignTo: Cannot make the bitmap"));
    }
    return image;
}

void TDibGraphic::Assign(const QImage& image) {
    m_dib = std::make_shared<TInternalDib>(DibFromImage(image));
}

void TDibGraphic::Draw(QPainter& painter, const QRect& dest) const {
    if (dest.isEmpty()) {
        return;
    }
    // Drawing happens inside paint events, which must not raise: no memory, no picture.
    const QImage image = DibToImage(*m_dib);
    if (image.isNull()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRectF(dest), image);
    painter.restore();
}

void TDibGraphic::SetPelsPerMeter(qint32 x, qint32 y) {
    TBitmapInfoHeader& header = Unique().header;
    header.biXPelsPerMeter = x > 0 ? x : DibDefaultPelsPerMeter;
    header.biYPelsPerMeter = y > 0 ? y : DibDefaultPelsPerMeter;
}

QList<QRgb> TDibGraphic::ColorTable() const {
    QList<QRgb> table;
    table.reserve(m_dib->colors.size());
    for (const TRgbQuad& color : m_dib->colors) {
        table.append(qRgb(color.rgbRed, color.rgbGreen, color.rgbBlue));
    }
    return table;
}

TInternalDib& TDibGraphic::Unique() {
    if (m_dib.use_count() != 1) {
        m_dib = std::make_shared<TInternalDib>(*m_dib);
    }
    return *m_dib;
}

} // namespace mirte
