#pragma once

#include "dib_errors.h"
#include "dib_internal.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>
#include <memory>

class QPainter;

namespace mirte {

// A device-independent bitmap picture ("dib" files): header, colour table and packed pixel rows
// held in memory. Copies share one image; whatever changes it makes a private copy first.
// User-interface thread only, like the pictures that hold it.
class TDibGraphic {
public:
    // A 1 x 1 image of 8 bits per pixel with 256 colours (all black).
    TDibGraphic();
    // No moves: a moved-from picture would hold no image at all, so moving copies instead.
    TDibGraphic(const TDibGraphic&) = default;
    TDibGraphic& operator=(const TDibGraphic&) = default;
    ~TDibGraphic() = default;

    // Read a bitmap file with a 40-byte or 12-byte header at 1, 4, 8, 16, 24 or 32 bits; 16 and 32
    // bits become 24, RLE data is kept compressed. Raise EDibInvalidDibFile or EDibInvalidDib
    // (LoadFromFile also EDibError when the file cannot be opened); on failure the picture keeps
    // its image.
    void LoadFromStream(QIODevice& in);
    void LoadFromFile(const QString& path);
    void LoadFromBytes(QByteArrayView bytes);

    // Write a bitmap file: 14-byte file header, 40-byte header, colour table, rows. Raise
    // EDibError when a write fails; SaveToFile leaves an existing file as it was then.
    void SaveToStream(QIODevice& out) const;
    void SaveToFile(const QString& path) const;
    QByteArray SaveToBytes() const;

    // The picture as a bitmap with upright lines: 1 bit -> Mono, 4 and 8 bits (also RLE) ->
    // Indexed8 with the colour table, 24 bits -> BGR888. Raises EDibCanvasFailed when there is
    // no memory for it.
    QImage ToImage() const;
    // Takes a bitmap: Mono and Indexed8 keep their depth and colour table, other formats become
    // 24 bits, stored bottom-up; a null QImage gives the 1 x 1 8-bit image. Raises
    // EDibInvalidDibPara for an image beyond DibMaxPixelBytes.
    void Assign(const QImage& image);

    // Draws the whole image stretched into dest with smooth scaling; nothing when dest is empty.
    void Draw(QPainter& painter, const QRect& dest) const;

    // Resolutions of 0 or less become 3780 pixels per metre.
    void SetPelsPerMeter(qint32 x, qint32 y);

    int Width() const { return static_cast<int>(m_dib->Width()); }
    int Height() const { return static_cast<int>(m_dib->Height()); } // without the sign
    int BitCount() const { return m_dib->header.biBitCount; }
    quint32 Compression() const { return m_dib->header.biCompression; }
    int ColorCount() const { return static_cast<int>(m_dib->colors.size()); }
    qint32 XPelsPerMeter() const { return m_dib->header.biXPelsPerMeter; }
    qint32 YPelsPerMeter() const { return m_dib->header.biYPelsPerMeter; }
    bool IsTopDown() const { return m_dib->IsTopDown(); }
    // Whether there are no pixels; an image read, assigned or made new always has some.
    bool Empty() const { return m_dib->pixels.isEmpty(); }
    const TBitmapInfoHeader& Header() const { return m_dib->header; }
    // The held colour table (ColorCount() entries), opaque.
    QList<QRgb> ColorTable() const;
    // The rows as held (or the compressed data).
    const QByteArray& PixelData() const { return m_dib->pixels; }
    bool SharesImageWith(const TDibGraphic& other) const { return m_dib == other.m_dib; }

private:
    // The image, first copied when another picture shares it.
    TInternalDib& Unique();

    std::shared_ptr<TInternalDib> m_dib;
};

} // namespace mirte
