// libFuzzer target: the glue around libheif, libwebp and LibRaw that runs before any pixel is
// decoded: recognising a file by its first bytes, and reading its size, turn and EXIF dates.
#include "picture/heif_picture.h"
#include "picture/picture_format.h"
#include "picture/raw_picture.h"
#include "picture/webp_picture.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    mirte::SniffFormat(bytes.first(qMin<qsizetype>(bytes.size(), mirte::SniffBytes)));
    mirte::PictureHeader header;
    mirte::TPictureFault fault;
    mirte::ReadHeifHeader(bytes, header, fault);
    mirte::ReadRawHeader(bytes, header, fault);
    QString error;
    QByteArray copy = bytes.toByteArray();
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    mirte::ReadWebpHeader(in, header, error);
    return 0;
}
