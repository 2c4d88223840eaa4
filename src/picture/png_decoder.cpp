#include "png_decoder.h"

#include "alpha_rows.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"
#include "stdio_file.h"

#include <QCoreApplication>
#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

namespace mirte {

namespace {

// Interlaced pictures must be assembled whole; beyond this they are refused.
constexpr std::size_t MaxWholePictureBytes = std::size_t{1} << 30;

struct ReadState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    char message[256] = {};
    bool tooLarge = false; // an interlaced picture too large to assemble
    ReadState() {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, &OnError, &OnWarning);
        if (png != nullptr) {
            info = png_create_info_struct(png);
        }
    }
    ~ReadState() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }

    // libpng's own handler would print and jump; this one keeps the text, then jumps.
    static void OnError(png_structp png, png_const_charp text) {
        auto* self = static_cast<ReadState*>(png_get_error_ptr(png));
        std::snprintf(self->message, sizeof self->message, "%s", text);
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}
};

// All libpng calls happen here, after setjmp, with trivial locals only.
bool Run(ReadState& s, std::FILE* file, RowSink& sink, std::vector<png_byte>& image,
         std::vector<std::uint8_t>& rgb, const QString& path) {
    if (setjmp(png_jmpbuf(s.png))) {
        return false;
    }
    png_init_io(s.png, file);
    png_set_user_limits(s.png, MaxPictureSide, MaxPictureSide);
    png_read_info(s.png, s.info);
    const png_uint_32 width = png_get_image_width(s.png, s.info);
    const png_uint_32 height = png_get_image_height(s.png, s.info);
    CheckPictureSize(path, width, height);

    png_set_expand(s.png); // palette and low-bit grey to 8 bits, tRNS to alpha
    png_set_strip_16(s.png);
    png_set_gray_to_rgb(s.png);
    png_set_add_alpha(s.png, 0xFF, PNG_FILLER_AFTER);
    const int passes = png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);

    const std::size_t rowBytes = std::size_t(width) * 4;
    rgb.resize(std::size_t(width) * 3);
    sink.Begin(static_cast<int>(width), static_cast<int>(height));
    if (passes == 1) {
        image.resize(rowBytes);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(s.png, image.data(), nullptr);
            FlattenOnWhite(image.data(), rgb.data(), static_cast<int>(width), false);
            sink.Row(rgb.data());
        }
    } else {
        if (rowBytes * height > MaxWholePictureBytes) {
            s.tooLarge = true;
            return false;
        }
        image.resize(rowBytes * height);
        for (int pass = 0; pass < passes; ++pass) {
            for (png_uint_32 y = 0; y < height; ++y) {
                png_read_row(s.png, image.data() + rowBytes * y, nullptr);
            }
        }
        for (png_uint_32 y = 0; y < height; ++y) {
            FlattenOnWhite(image.data() + rowBytes * y, rgb.data(), static_cast<int>(width), false);
            sink.Row(rgb.data());
        }
    }
    return true;
}

} // namespace

void DecodePng(const QString& path, RowSink& sink) {
    const StdioFile file = OpenForReading(path);
    if (!file) {
        ThrowPictureError(path, SystemFault(errno));
    }
    ReadState state;
    if (state.png == nullptr || state.info == nullptr) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "PNG の読み込みを準備できません。"));
    }
    std::vector<png_byte> image;
    std::vector<std::uint8_t> rgb;
    if (!Run(state, file.get(), sink, image, rgb, path)) {
        if (state.tooLarge) {
            ThrowPictureError(path, PictureReasonText(TPictureReason::TooLarge));
        }
        ThrowPictureError(path, LibpngFault(state.message));
    }
}

} // namespace mirte
