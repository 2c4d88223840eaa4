// libFuzzer target: the header readers that size a picture without decoding it.
#include "picture/bmp_header.h"
#include "picture/jpeg_header.h"
#include "picture/png_header.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    mirte::PictureHeader header;
    QString error;
    for (auto* read : {&mirte::ReadJpegHeader, &mirte::ReadPngHeader, &mirte::ReadBmpHeader}) {
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        read(in, header, error);
    }
    return 0;
}
