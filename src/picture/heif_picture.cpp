#include "heif_picture.h"

#include "exif_reader.h"
#include "heif_boxes.h"
#include "heif_context.h"
#include "picture_error.h"
#include "picture_limits.h"

#include <QBuffer>
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

// `quarterTurns`: the file's own turn, which libheif applies as it decodes but does not report.
bool ReadHeader(heif_context* context, int quarterTurns, PictureHeader& header, QString& error) {
    const Handle image = PrimaryImage(context, error);
    if (!image) {
        return false;
    }
    header = PictureHeader{PictureFormat::Heif};
    header.width = heif_image_handle_get_ispe_width(image.get());
    header.height = heif_image_handle_get_ispe_height(image.get());
    header.orientation = quarterTurns % 2 != 0 ? 6 : 1; // for the size: libheif does the turning
    header.decoderTurns = true;
    header.exifSeen = true;
    ReadExifItem(image.get(), header.exif);
    return true;
}

// The smallest thumbnail image that covers `upright`; null when none does.
Handle CoveringThumbnail(heif_image_handle* primary, QSize upright) {
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    if (count <= 0 || upright.isEmpty()) {
        return {};
    }
    std::vector<heif_item_id> ids(static_cast<std::size_t>(count));
    heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    Handle best;
    for (const heif_item_id id : ids) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(primary, id, &found).code != heif_error_Ok) {
            continue;
        }
        Handle thumbnail(found);
        // Its coded size, which may still be turned: compared side by side, long to long.
        const qint64 width = heif_image_handle_get_width(found);
        const qint64 height = heif_image_handle_get_height(found);
        if (qMax(width, height) >= qMax(upright.width(), upright.height()) &&
            qMin(width, height) >= qMin(upright.width(), upright.height()) &&
            (!best || width * height < qint64{heif_image_handle_get_width(best.get())} *
                                           heif_image_handle_get_height(best.get()))) {
            best = std::move(thumbnail);
        }
    }
    return best;
}

} // namespace

bool ReadHeifHeader(const QString& path, PictureHeader& header, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    const int quarterTurns = HeifQuarterTurns(file);
    file.close();
    const Context context = NewContext();
    const heif_error read =
        heif_context_read_from_file(context.get(), path.toLocal8Bit().constData(), nullptr);
    if (read.code != heif_error_Ok) {
        error = HeifReason(read);
        return false;
    }
    return ReadHeader(context.get(), quarterTurns, header, error);
}

bool ReadHeifHeader(QByteArrayView bytes, PictureHeader& header, QString& error) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    const int quarterTurns = HeifQuarterTurns(in);
    const Context context = NewContext();
    const heif_error read = heif_context_read_from_memory_without_copy(
        context.get(), bytes.data(), std::size_t(bytes.size()), nullptr);
    if (read.code != heif_error_Ok) {
        error = HeifReason(read);
        return false;
    }
    return ReadHeader(context.get(), quarterTurns, header, error);
}

void DecodeHeif(const QString& path, QSize upright, RowSink& sink) {
    const Context context = NewContext();
    heif_error result =
        heif_context_read_from_file(context.get(), path.toLocal8Bit().constData(), nullptr);
    if (result.code != heif_error_Ok) {
        ThrowPictureError(path, HeifReason(result));
    }
    QString error;
    Handle image = PrimaryImage(context.get(), error);
    if (!image) {
        ThrowPictureError(path, error);
    }
    if (Handle thumbnail = CoveringThumbnail(image.get(), upright)) {
        image = std::move(thumbnail);
    }
    CheckPictureSize(path, heif_image_handle_get_width(image.get()),
                     heif_image_handle_get_height(image.get()));
    DecodeHeifRgb(image.get(), false, sink, path);
}

} // namespace mirte
