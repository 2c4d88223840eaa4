#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <vector>

namespace mirte {

// Where a JPEG file keeps smaller copies of its picture.
enum class TJpegPreviewKind {
    ExifThumbnail, // IFD1's JPEGInterchangeFormat in the EXIF APP1 segment
    MpfPreview,    // an MPF (APP2) entry: a large thumbnail or another dependent image
};

struct TJpegPreview {
    qint64 Offset = 0; // in the file
    qint64 Length = 0;
    TJpegPreviewKind Kind = TJpegPreviewKind::ExifThumbnail;
};

struct TJpegPreviews {
    std::vector<TJpegPreview> Previews;
    // The walk reached the main picture's image data: `head` held all of its segments.
    bool SegmentsComplete = false;
};

// A preview larger than this is not read.
constexpr qint64 MaxJpegPreviewBytes = qint64{32} << 20;

// The previews named by the segments at the start of a JPEG file: `head` is the file's first
// bytes, `fileSize` the whole file's. Only ranges that lie inside the file, after the main
// picture's segments and its image data (as far as the MPF index tells its size), and within
// MaxJpegPreviewBytes are given; an EXIF thumbnail must lie inside its own segment. Never reads
// outside `head`.
TJpegPreviews FindJpegPreviews(QByteArrayView head, qint64 fileSize);

} // namespace mirte
