// libFuzzer target: reading a stored thumbnail back from the cache, whole and for a small box.
#include "picture/stored_thumbnail.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QImage image;
    QString error;
    for (const QSize box : {QSize(), QSize(96, 96)}) {
        mirte::DecodeStoredThumbnail(bytes, box, image, error);
    }
    return 0;
}
