#include "heif_thumbnails.h"

#include "heif_boxes.h"
#include "heif_context.h"
#include "image_sink.h"
#include "picture_error.h"
#include "picture_reasons.h"

#include <QFile>

namespace mirte {

namespace {

// A thumbnail is decoded long after the file was read: the context outlives its handles.
struct OpenFile {
    Context context = NewContext();
    Handle primary;
};

// irot's anticlockwise quarter turns as the EXIF orientation that means the same.
int OrientationOfTurns(int quarterTurns) {
    static constexpr int orientations[4] = {1, 8, 3, 6};
    return orientations[quarterTurns & 3];
}

} // namespace

std::vector<TFirstImageCandidate> HeifThumbnailCandidates(const QString& path) {
    HeifBoxes boxes;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            ThrowPictureError(path, FileFault(file));
        }
        boxes = ReadHeifBoxes(file);
    }
    const int quarterTurns = boxes.Primary().QuarterTurns();
    const auto open = std::make_shared<OpenFile>();
    if (!open->context) {
        ThrowPictureError(path, PictureReasonText(TPictureReason::NoMemory, QStringLiteral("HEIF")),
                          QStringLiteral("libheif: heif_context_alloc"));
    }
    const heif_error read = heif_context_read_from_file(
        open->context.get(), QFile::encodeName(path).constData(), nullptr);
    if (read.code != heif_error_Ok) {
        ThrowPictureError(path, HeifFault(read));
    }
    TPictureFault fault;
    open->primary = PrimaryImage(open->context.get(), fault);
    if (!open->primary) {
        ThrowPictureError(path, fault);
    }
    std::vector<TFirstImageCandidate> candidates;
    const int count = heif_image_handle_get_number_of_thumbnails(open->primary.get());
    if (count <= 0) {
        return candidates;
    }
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    const int listed =
        heif_image_handle_get_list_of_thumbnail_IDs(open->primary.get(), ids.data(), count);
    ids.resize(static_cast<std::size_t>(qBound(0, listed, count)));
    for (const heif_item_id id : ids) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(open->primary.get(), id, &found).code !=
            heif_error_Ok) {
            continue;
        }
        const auto thumbnail = std::shared_ptr<heif_image_handle>(Handle(found));
        // Cropped by its own clean aperture, as libheif would crop it; libheif's own size,
        // which is the coded one unless it crops.
        const HeifShape shape = boxes.ShapeOf(id);
        const QRect part = shape.Crops()
                               ? shape.CodedPart(QSize(heif_image_handle_get_ispe_width(found),
                                                       heif_image_handle_get_ispe_height(found)))
                               : QRect(0, 0, heif_image_handle_get_width(found),
                                       heif_image_handle_get_height(found));
        if (part.isEmpty()) {
            continue;
        }
        TFirstImageCandidate candidate;
        candidate.Size = part.size();
        candidate.Orientation = OrientationOfTurns(quarterTurns);
        // The camera stores it unturned: it is turned as the primary picture is, whatever
        // boxes of its own it carries.
        const bool crops = shape.Crops();
        candidate.Decode = [open, thumbnail, crops, part, path](QSize) {
            TImageSink sink(path);
            DecodeHeifRgb(thumbnail.get(), true, sink, path);
            const QImage coded = sink.Take();
            return crops ? coded.copy(part.intersected(coded.rect())) : coded;
        };
        candidates.push_back(std::move(candidate));
    }
    return candidates;
}

} // namespace mirte
