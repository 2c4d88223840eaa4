#include "heif_picture.h"

#include "alpha_rows.h"
#include "exif_reader.h"
#include "heif_boxes.h"
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

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;
using Image = std::unique_ptr<heif_image, ImageRelease>;

QString Reason(const heif_error& error) {
    return QString::fromUtf8(error.message != nullptr ? error.message : "libheif");
}

// A context with the program's limits: pictures no larger than the other decoders take, and
// grid tiles decoded on the caller's own thread (each render worker is one decoding thread).
Context NewContext() {
    Context context(heif_context_alloc());
    if (context) {
        heif_context_set_maximum_image_size_limit(context.get(), MaxPictureSide);
        heif_context_set_max_decoding_threads(context.get(), 0);
    }
    return context;
}

Handle PrimaryImage(heif_context* context, QString& error) {
    heif_image_handle* handle = nullptr;
    const heif_error result = heif_context_get_primary_image_handle(context, &handle);
    if (result.code != heif_error_Ok) {
        error = Reason(result);
    }
    return Handle(handle);
}

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

// Decodes through libheif's own conversion to RGB (RGBA with alpha, laid on white; 10 and 12
// bits brought to 8).
void DecodeRgb(heif_image_handle* image, bool alpha, RowSink& sink, const QString& path) {
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    const heif_error result = heif_decode_image(
        image, &decoded, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const Image pixels(decoded);
    if (result.code != heif_error_Ok || !pixels) {
        ThrowPictureError(path, Reason(result));
    }
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(pixels.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(pixels.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(pixels.get(), heif_channel_interleaved);
    if (plane == nullptr || width <= 0 || height <= 0) {
        ThrowPictureError(path, QStringLiteral("HEIF の画素が得られません。"));
    }
    const bool premultiplied = heif_image_is_premultiplied_alpha(pixels.get()) != 0;
    std::vector<std::uint8_t> rgb(alpha ? std::size_t(width) * 3 : 0);
    sink.Begin(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = plane + std::size_t(stride) * y;
        if (alpha) {
            FlattenOnWhite(row, rgb.data(), width, premultiplied);
            row = rgb.data();
        }
        sink.Row(row);
    }
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
        error = Reason(read);
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
        error = Reason(read);
        return false;
    }
    return ReadHeader(context.get(), quarterTurns, header, error);
}

void DecodeHeif(const QString& path, QSize upright, RowSink& sink) {
    const Context context = NewContext();
    heif_error result =
        heif_context_read_from_file(context.get(), path.toLocal8Bit().constData(), nullptr);
    if (result.code != heif_error_Ok) {
        ThrowPictureError(path, Reason(result));
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
    DecodeRgb(image.get(), heif_image_handle_has_alpha_channel(image.get()) != 0, sink, path);
}

} // namespace mirte
