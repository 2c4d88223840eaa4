#include "jpeg_previews.h"

#include "jpeg_markers.h"
#include "tiff_block_reader.h"

#include <QBuffer>

namespace mirte {

namespace {

// An MPF index lists few images (a stereo pair, a preview or two); more entries are not read.
constexpr quint32 MaxMpEntries = 64;
// However many MPF segments a file has, no more previews than this are looked at.
constexpr std::size_t MaxPreviews = 16;
constexpr quint32 MaxDirectoryEntries = 512;
constexpr qint64 MinJpegBytes = 4; // SOI and EOI

// The entries of one TIFF directory at `at`; false when its count cannot be read.
template <typename OnEntry>
bool WalkDirectory(const TTiffBlockReader& in, qint64 at, OnEntry onEntry, quint32* next) {
    quint32 count = 0;
    if (!in.U16(at, count) || count > MaxDirectoryEntries) {
        return false;
    }
    for (quint32 i = 0; i < count; ++i) {
        const qint64 entry = at + 2 + qint64{i} * 12;
        quint32 tag = 0, type = 0, number = 0, value = 0;
        if (!in.U16(entry, tag) || !in.U16(entry + 2, type) || !in.U32(entry + 4, number) ||
            !in.U32(entry + 8, value)) {
            return true; // cut short: the whole entries count
        }
        onEntry(tag, type, number, value);
    }
    if (next != nullptr && !in.U32(at + 2 + qint64{count} * 12, *next)) {
        *next = 0;
    }
    return true;
}

// IFD1's JPEG thumbnail of an EXIF block (what follows "Exif\0\0") that starts at `blockAt`.
void AddExifThumbnail(QByteArrayView block, qint64 blockAt, TJpegPreviews& found) {
    const TTiffBlockReader in(block);
    quint32 first = 0;
    quint32 second = 0;
    if (!in.U32(4, first) ||
        !WalkDirectory(
            in, first, [](auto...) {}, &second) ||
        second == 0 || second == first) {
        return;
    }
    quint32 offset = 0;
    quint32 length = 0;
    WalkDirectory(
        in, second,
        [&](quint32 tag, quint32, quint32, quint32 value) {
            if (tag == 0x0201) {
                offset = value;
            } else if (tag == 0x0202) {
                length = value;
            }
        },
        nullptr);
    if (offset != 0 && length >= MinJpegBytes && in.Contains(offset, length)) {
        found.Previews.push_back(
            {blockAt + offset, qint64{length}, TJpegPreviewKind::ExifThumbnail});
    }
}

bool IsPreviewEntry(quint32 attribute) {
    const quint32 format = (attribute >> 24) & 7; // 0: JPEG
    const quint32 type = attribute & 0xFFFFFF;
    const bool dependentChild = (attribute & 0x40000000) != 0;
    return format == 0 && (type == 0x010001 || type == 0x010002 || dependentChild);
}

// The MP Entry list of an MPF segment whose TIFF header starts at `tiffAt` in the file. The
// main picture (the first entry) ends no earlier than `imageData`, where its scan begins.
void AddMpfPreviews(QByteArrayView block, qint64 tiffAt, qint64 imageData, qint64 fileSize,
                    TJpegPreviews& found) {
    const TTiffBlockReader in(block);
    quint32 first = 0;
    quint32 listAt = 0;
    quint32 listBytes = 0;
    if (!in.U32(4, first) || !WalkDirectory(
                                 in, first,
                                 [&](quint32 tag, quint32, quint32 number, quint32 value) {
                                     if (tag == 0xB002) {
                                         listBytes = number;
                                         listAt = value;
                                     }
                                 },
                                 nullptr)) {
        return;
    }
    const quint32 entries = qMin(listBytes / 16, MaxMpEntries);
    if (entries < 2 || !in.Contains(listAt, qint64{entries} * 16)) {
        return;
    }
    qint64 mainEnd = imageData;
    quint32 mainSize = 0;
    if (in.U32(listAt + 4, mainSize) && mainSize <= fileSize) {
        mainEnd = qMax(mainEnd, qint64{mainSize}); // the main picture starts the file
    }
    for (quint32 i = 1; i < entries && found.Previews.size() < MaxPreviews; ++i) {
        const qint64 entry = listAt + qint64{i} * 16;
        quint32 attribute = 0, size = 0, offset = 0;
        in.U32(entry, attribute);
        in.U32(entry + 4, size);
        in.U32(entry + 8, offset);
        const qint64 at = tiffAt + offset;
        if (!IsPreviewEntry(attribute) || offset == 0 || size < MinJpegBytes ||
            size > MaxJpegPreviewBytes || at < mainEnd || at > fileSize - size) {
            continue; // not a preview, or where none can be
        }
        found.Previews.push_back({at, qint64{size}, TJpegPreviewKind::MpfPreview});
    }
}

} // namespace

TJpegPreviews FindJpegPreviews(QByteArrayView head, qint64 fileSize) {
    TJpegPreviews found;
    fileSize = qMax(fileSize, qint64{head.size()});
    QByteArray bytes = QByteArray::fromRawData(head.data(), head.size());
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    TJpegMarkers markers(in);
    if (!markers.Start()) {
        return found;
    }
    struct Segment {
        qint64 at;
        qint64 length;
    };
    std::vector<Segment> mpf;
    bool exifSeen = false;
    unsigned code = 0;
    qint64 length = 0;
    while (markers.Next(code, length)) {
        const qint64 at = in.pos();
        if (length > head.size() - at) {
            return found; // the head ends inside this segment
        }
        const QByteArrayView payload = head.sliced(at, length);
        if (code == 0xE1 && !exifSeen && payload.startsWith(QByteArrayView("Exif\0", 5)) &&
            length >= 6) {
            exifSeen = true; // the first EXIF APP1, as the header reader takes it
            AddExifThumbnail(payload.sliced(6), at + 6, found);
        } else if (code == 0xE2 && payload.startsWith(QByteArrayView("MPF\0", 4))) {
            mpf.push_back({at + 4, length - 4});
        }
    }
    if (code != 0xDA) {
        return found; // the head ended before the image data
    }
    found.SegmentsComplete = true;
    const qint64 imageData = in.pos();
    for (const Segment& segment : mpf) {
        AddMpfPreviews(head.sliced(segment.at, segment.length), segment.at, imageData, fileSize,
                       found);
    }
    return found;
}

} // namespace mirte
