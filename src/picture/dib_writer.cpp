#include "dib_writer.h"

#include "dib_errors.h"

#include <QtEndian>
#include <cstring>

namespace mirte {

namespace {

class THeaderBytes {
public:
    explicit THeaderBytes(qsizetype size) : m_bytes(size, '\0') {}

    template <typename T> void Put(T value) {
        qToLittleEndian(value, m_bytes.data() + m_pos);
        m_pos += sizeof(T);
    }
    void Put(const char* text, qsizetype size) {
        std::memcpy(m_bytes.data() + m_pos, text, size);
        m_pos += size;
    }
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    qsizetype m_pos = 0;
};

void Write(QIODevice& out, const char* data, qint64 size) {
    if (out.write(data, size) != size) {
        throw EDibError(QStringLiteral("TInternalDib.SaveToStream: Cannot write the image"));
    }
}

} // namespace

void WriteDib(const TInternalDib& dib, QIODevice& out) {
    const TBitmapInfoHeader& info = dib.header;
    const qint64 colorCount = dib.colors.size();
    const quint32 offBits =
        static_cast<quint32>(DibFileHeaderSize + DibInfoHeaderSize + 4 * colorCount);
    THeaderBytes header(offBits);
    header.Put("BM", 2);
    header.Put(static_cast<quint32>(offBits + dib.pixels.size()));
    header.Put(quint32{0});
    header.Put(offBits);
    header.Put(static_cast<quint32>(DibInfoHeaderSize));
    header.Put(info.biWidth);
    header.Put(info.biHeight);
    header.Put(info.biPlanes);
    header.Put(info.biBitCount);
    header.Put(info.biCompression);
    header.Put(info.biSizeImage);
    header.Put(info.biXPelsPerMeter);
    header.Put(info.biYPelsPerMeter);
    header.Put(static_cast<quint32>(colorCount));
    header.Put(info.biClrImportant);
    for (const TRgbQuad& color : dib.colors) {
        const char entry[4] = {char(color.rgbBlue), char(color.rgbGreen), char(color.rgbRed), 0};
        header.Put(entry, 4);
    }
    Write(out, header.Bytes().constData(), header.Bytes().size());
    Write(out, dib.pixels.constData(), dib.pixels.size());
}

} // namespace mirte
