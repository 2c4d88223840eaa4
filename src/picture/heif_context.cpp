#include "heif_context.h"

#include "alpha_rows.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"

#include <QCoreApplication>
#include <vector>

namespace mirte {

TPictureFault HeifFault(const heif_error& error) {
    return LibheifFault(error.code, error.subcode, error.message);
}

Context NewContext() {
    Context context(heif_context_alloc());
    if (context) {
        heif_context_set_maximum_image_size_limit(context.get(), MaxPictureSide);
        heif_context_set_max_decoding_threads(context.get(), 0);
    }
    return context;
}

Handle PrimaryImage(heif_context* context, TPictureFault& fault) {
    heif_image_handle* handle = nullptr;
    const heif_error result = heif_context_get_primary_image_handle(context, &handle);
    if (result.code != heif_error_Ok) {
        fault = HeifFault(result);
    }
    return Handle(handle);
}

void DecodeHeifRgb(heif_image_handle* image, bool ignoreTransformations, RowSink& sink,
                   const QString& path) {
    const bool alpha = heif_image_handle_has_alpha_channel(image) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    options->ignore_transformations = ignoreTransformations ? 1 : 0;
    heif_image* decoded = nullptr;
    const heif_error result = heif_decode_image(
        image, &decoded, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const Image pixels(decoded);
    if (result.code != heif_error_Ok || !pixels) {
        ThrowPictureError(path, HeifFault(result));
    }
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(pixels.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(pixels.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(pixels.get(), heif_channel_interleaved);
    if (plane == nullptr || width <= 0 || height <= 0) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "HEIF の画素が得られません。"));
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

} // namespace mirte
