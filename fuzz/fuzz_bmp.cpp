// libFuzzer target: both BMP readers, the lenient picture decoder and the strict bitmap class.
#include "picture/bmp_decoder.h"
#include "picture/bmp_header.h"
#include "picture/dib_errors.h"
#include "picture/dib_graphic.h"
#include "picture/picture_error.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

namespace {

// Reads both ends of every row, so that a row handed over too short shows, and keeps nothing.
class CheckingSink : public mirte::RowSink {
public:
    void Begin(int width, int) override { m_width = width; }
    void Row(const std::uint8_t* rgb) override { m_sum += rgb[0] + rgb[m_width * 3 - 1]; }
    unsigned m_sum = 0;

private:
    int m_width = 0;
};

// Pictures that claim many megapixels only spend the fuzzer's time filling memory; the size
// limits themselves have tests of their own.
bool ClaimsTooMuch(const QByteArray& bytes) {
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    mirte::PictureHeader header;
    QString error;
    return mirte::ReadBmpHeader(in, header, error) &&
           qint64(header.width) * qint64(header.height) > (qint64{1} << 22);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    if (ClaimsTooMuch(bytes)) {
        return 0;
    }
    CheckingSink sink;
    try {
        mirte::DecodeBmpBytes(bytes, QStringLiteral("fuzz.bmp"), sink);
    } catch (const mirte::EPictureError&) {
    }
    mirte::TDibGraphic dib;
    try {
        dib.LoadFromBytes(bytes);
        const QImage image = dib.ToImage();
        (void)image.size();
        (void)dib.SaveToBytes();
    } catch (const mirte::EDibError&) {
    }
    return 0;
}
