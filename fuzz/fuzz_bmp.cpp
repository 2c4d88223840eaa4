// libFuzzer target: both BMP readers, the lenient picture decoder and the strict bitmap class.
#include "picture/bmp_decoder.h"
#include "picture/dib_errors.h"
#include "picture/dib_graphic.h"
#include "picture/picture_error.h"

#include <cstddef>
#include <cstdint>

namespace {

// Touches every row so that a bad read shows, and keeps nothing.
class CheckingSink : public mirte::RowSink {
public:
    void Begin(int width, int) override { m_width = width; }
    void Row(const std::uint8_t* rgb) override {
        for (int i = 0; i < m_width * 3; ++i) {
            m_sum += rgb[i];
        }
    }
    unsigned m_sum = 0;

private:
    int m_width = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
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
