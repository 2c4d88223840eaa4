#include "heif_picture.h"

#include "exif_reader.h"
#include "first_image_match.h"
#include "heif_boxes.h"
#include "heif_context.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QtEndian>
#include <libheif/heif.h>
#include <memory>
#include <vector>

namespace mirte {

namespace {

// An EXIF item larger than this is not read (the dates sit in its first few hundred bytes).
constexpr std::size_t MaxExifBytes = std::size_t{4} << 20;

// The dates of the primary picture's first Exif item: its first four bytes give the offset of
// the TIFF header that follows them.
void ReadExifItem(heif_image_handle* handle, TExifRecord& record) {
    heif_item_id id = 0;
    if (heif_image_handle_get_list_of_metadata_block_IDs(handle, "Exif", &id, 1) < 1) {
        return;
    }
    const std::size_t size = heif_image_handle_get_metadata_size(handle, id);
    if (size < 4 || size > MaxExifBytes) {
        return;
    }
    std::vector<char> data(size);
    if (heif_image_handle_get_metadata(handle, id, data.data()).code != heif_error_Ok) {
        return;
    }
    const quint32 offset = qFromBigEndian<quint32>(data.data());
    if (offset > size - 4) {
        return;
    }
    TExifRecord exif;
    ParseExifBlock(QByteArrayView(data.data() + 4 + offset, qsizetype(size - 4 - offset)), exif);
    exif.Orientation = 0; // HEIF turns by its own boxes; an EXIF orientation is only a copy
    record = exif;
}

// `boxes`: the file's own shapes, which libheif applies as it decodes but does not report
// (libheif's sizes are the coded ones).
bool ReadHeader(heif_context* context, const HeifBoxes& boxes, PictureHeader& header,
                TPictureFault& fault) {
    const Handle image = PrimaryImage(context, fault);
    if (!image) {
        return false;
    }
    const HeifShape shape = boxes.Primary();
    const QSize coded(heif_image_handle_get_ispe_width(image.get()),
                      heif_image_handle_get_ispe_height(image.get()));
    const QSize shown = coded.isEmpty() ? coded : shape.Shown(coded);
    if (!coded.isEmpty() && shown.isEmpty()) {
        fault = {QCoreApplication::translate("PictureErrors",
                                             "HEIF の切り抜き範囲が画像の外にあります。"),
                 {}};
        return false;
    }
    const bool quarter = shape.QuarterTurns() % 2 != 0;
    header = PictureHeader{PictureFormat::Heif};
    // Cropped, before the turn, as other formats give their size.
    header.width = quarter ? shown.height() : shown.width();
    header.height = quarter ? shown.width() : shown.height();
    header.orientation = quarter ? 6 : 1; // for the size: libheif does the turning
    header.decoderTurns = true;
    header.exifSeen = true;
    ReadExifItem(image.get(), header.exif);
    return true;
}

// The smallest thumbnail image that covers `upright` and shows what the primary picture shows
// (`shown`, its proportions); null when none does. libheif decodes it cropped and turned by
// its own boxes.
Handle CoveringThumbnail(heif_image_handle* primary, const HeifBoxes& boxes, QSize shown,
                         QSize upright) {
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || upright.isEmpty()) {
        return {};
    }
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    qint64 bestArea = 0;
    for (const heif_item_id id : ids) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &found).code != heif_error_Ok) {
            continue;
        }
        Handle thumbnail(found);
        // libheif's own size, turned, is the one it decodes to unless a crop rounds otherwise.
        const HeifShape shape = boxes.ShapeOf(id);
        const QSize size =
            shape.Crops()
                ? shape.Shown(QSize(heif_image_handle_get_ispe_width(found),
                                    heif_image_handle_get_ispe_height(found)))
                : QSize(heif_image_handle_get_width(found), heif_image_handle_get_height(found));
        const qint64 area = qint64{size.width()} * size.height();
        // One of another shape (uncropped, unturned, with bars) would be squeezed into the
        // picture's.
        if (size.width() >= upright.width() && size.height() >= upright.height() &&
            SameAspect(size, shown) && (!best || area < bestArea)) {
            best = std::move(thumbnail);
            bestArea = area;
        }
    }
    return best;
}

} // namespace

bool ReadHeifHeader(const QString& path, PictureHeader& header, TPictureFault& fault) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fault = FileFault(file);
        return false;
    }
    const HeifBoxes boxes = ReadHeifBoxes(file);
    file.close();
    const Context context = NewContext();
    const heif_error read =
        heif_context_read_from_file(context.get(), path.toLocal8Bit().constData(), nullptr);
    if (read.code != heif_error_Ok) {
        fault = HeifFault(read);
        return false;
    }
    return ReadHeader(context.get(), boxes, header, fault);
}

bool ReadHeifHeader(QByteArrayView bytes, PictureHeader& header, TPictureFault& fault) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    const HeifBoxes boxes = ReadHeifBoxes(in);
    const Context context = NewContext();
    const heif_error read = heif_context_read_from_memory_without_copy(
        context.get(), bytes.data(), std::size_t(bytes.size()), nullptr);
    if (read.code != heif_error_Ok) {
        fault = HeifFault(read);
        return false;
    }
    return ReadHeader(context.get(), boxes, header, fault);
}

void DecodeHeif(const QString& path, QSize upright, RowSink& sink) {
    HeifBoxes boxes;
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            boxes = ReadHeifBoxes(file);
        }
    }
    const Context context = NewContext();
    heif_error result =
        heif_context_read_from_file(context.get(), path.toLocal8Bit().constData(), nullptr);
    if (result.code != heif_error_Ok) {
        ThrowPictureError(path, HeifFault(result));
    }
    TPictureFault fault;
    Handle image = PrimaryImage(context.get(), fault);
    if (!image) {
        ThrowPictureError(path, fault);
    }
    const QSize shown =
        boxes.Primary().Shown(QSize(heif_image_handle_get_ispe_width(image.get()),
                                    heif_image_handle_get_ispe_height(image.get())));
    if (Handle thumbnail = CoveringThumbnail(image.get(), boxes, shown, upright)) {
        image = std::move(thumbnail);
    }
    CheckPictureSize(path, heif_image_handle_get_width(image.get()),
                     heif_image_handle_get_height(image.get()));
    DecodeHeifRgb(image.get(), false, sink, path);
}

} // namespace mirte
