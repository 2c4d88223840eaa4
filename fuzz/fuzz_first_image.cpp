// libFuzzer target: where a JPEG keeps its smaller images (the EXIF thumbnail's IFD1, the MPF
// index), parsed from the file's first bytes, and the frame header of each preview found.
#include "picture/jpeg_header.h"
#include "picture/jpeg_previews.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

namespace {

void ReadPreviews(QByteArrayView head, qint64 fileSize) {
    const mirte::TJpegPreviews found = mirte::FindJpegPreviews(head, fileSize);
    for (const mirte::TJpegPreview& preview : found.Previews) {
        if (preview.Offset < 0 || preview.Length <= 0 ||
            preview.Offset + preview.Length > fileSize) {
            __builtin_trap(); // a range the file cannot hold
        }
        if (preview.Offset + preview.Length > head.size()) {
            continue; // beyond the bytes at hand, as a file's preview after its head
        }
        QByteArray bytes = head.sliced(preview.Offset, preview.Length).toByteArray();
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        mirte::PictureHeader header;
        QString error;
        mirte::ReadJpegHeader(in, header, error);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ReadPreviews(bytes, qint64(size));     // the whole file at hand
    ReadPreviews(bytes, qint64(size) * 3); // only its head
    return 0;
}
