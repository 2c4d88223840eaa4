// libFuzzer target: the EXIF reader, from the JPEG segment walk to the directory parser.
#include "picture/exif_reader.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    mirte::TExifRecord record;
    mirte::ParseExifBlock(bytes, record); // the input as a bare EXIF block
    QByteArray copy = bytes;
    QBuffer jpeg(&copy);
    jpeg.open(QIODevice::ReadOnly);
    QByteArray block;
    if (mirte::FindExifBlock(jpeg, block)) { // the input as a JPEG stream
        mirte::ParseExifBlock(block, record);
    }
    return 0;
}
