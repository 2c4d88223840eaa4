#include "jpeg_first_images.h"

#include "image_sink.h"
#include "jpeg_decoder.h"
#include "jpeg_header.h"
#include "jpeg_previews.h"
#include "picture_error.h"
#include "picture_reasons.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <memory>

namespace mirte {

namespace {

// The segments before the image data are read in steps, up to the most a file may put there
// (APP segments of 64 KB each, several of them).
constexpr qint64 FirstHeadBytes = qint64{128} << 10;
constexpr qint64 MaxHeadBytes = qint64{4} << 20;
// Enough of a preview to find its frame header behind its own EXIF segment.
constexpr qint64 PreviewHeadBytes = qint64{96} << 10;
// The end marker is looked for this far from a preview's end (encoders pad a little).
constexpr int EndMarkerReach = 32;

QByteArray ReadAt(QFile& file, qint64 at, qint64 length) {
    if (!file.seek(at)) {
        return {};
    }
    QByteArray bytes = file.read(length);
    return bytes.size() == length ? bytes : QByteArray();
}

QSize JpegSize(const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    PictureHeader header;
    QString error;
    return ReadJpegHeader(in, header, error) ? QSize(header.width, header.height) : QSize();
}

// A preview that was cut short lacks its end marker; libjpeg would fill it in grey.
bool EndsWhole(const QByteArray& bytes) {
    const QByteArrayView tail =
        QByteArrayView(bytes).last(qMin<qsizetype>(bytes.size(), EndMarkerReach));
    return tail.contains(QByteArrayView("\xFF\xD9", 2));
}

QImage DecodePreview(const QByteArray& bytes, QSize cover, const QString& path) {
    if (!EndsWhole(bytes)) {
        ThrowPictureError(path, QCoreApplication::translate(
                                    "PictureErrors", "縮小画像のデータが途中で切れています。"));
    }
    TImageSink sink(path);
    DecodeJpegData(reinterpret_cast<const unsigned char*>(bytes.constData()),
                   std::size_t(bytes.size()), cover, sink, path, true);
    return sink.Take();
}

} // namespace

std::vector<TFirstImageCandidate> JpegPreviewCandidates(const QString& path, int orientation,
                                                        QString& damaged) {
    const auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        ThrowPictureError(path, FileFault(*file));
    }
    const qint64 fileSize = file->size();
    QByteArray head;
    TJpegPreviews found;
    for (qint64 wanted = FirstHeadBytes;; wanted *= 4) {
        head = ReadAt(*file, 0, qMin(wanted, fileSize));
        found = FindJpegPreviews(head, fileSize);
        if (found.SegmentsComplete || wanted >= fileSize || wanted >= MaxHeadBytes) {
            break;
        }
    }
    std::vector<TFirstImageCandidate> candidates;
    for (const TJpegPreview& preview : found.Previews) {
        const bool inHead = preview.Offset + preview.Length <= head.size();
        const QByteArray start =
            inHead ? head.mid(preview.Offset, preview.Length)
                   : ReadAt(*file, preview.Offset, qMin(preview.Length, PreviewHeadBytes));
        TFirstImageCandidate candidate;
        candidate.Size = JpegSize(start);
        candidate.Orientation = orientation;
        if (candidate.Size.isEmpty()) {
            damaged =
                QCoreApplication::translate("PictureErrors", "縮小画像のヘッダーが読めません。");
            continue;
        }
        if (inHead) {
            candidate.Decode = [start, path](QSize cover) {
                return DecodePreview(start, cover, path);
            };
        } else {
            candidate.Decode = [file, preview, path](QSize cover) {
                const QByteArray bytes = ReadAt(*file, preview.Offset, preview.Length);
                if (bytes.isEmpty()) {
                    ThrowPictureError(path, FileFault(*file));
                }
                return DecodePreview(bytes, cover, path);
            };
        }
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}

} // namespace mirte
