#include "tiff_decoder.h"

#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"
#include "tiff_support.h"

#include <QCoreApplication>
#include <algorithm>
#include <vector>

namespace mirte {

namespace {

// No band of rows may need more than this; bigger strips or tiles are refused.
constexpr qint64 MaxBandBytes = qint64{512} * 1024 * 1024;

// Frees libtiff's RGBA reader state on every way out.
struct RgbaImage {
    TIFFRGBAImage image{};
    bool started = false;
    ~RgbaImage() {
        if (started) {
            TIFFRGBAImageEnd(&image);
        }
    }
};

} // namespace

void DecodeTiff(const QString& path, RowSink& sink) {
    TPictureFault fault;
    const TiffHandle file = OpenTiff(path, fault);
    if (!file) {
        ThrowPictureError(path, fault);
    }
    TIFF* tiff = file->Tiff();
    char reason[1024] = {};
    if (!TIFFRGBAImageOK(tiff, reason)) {
        ThrowPictureError(path, LibtiffFault(QString::fromUtf8(reason), true));
    }
    RgbaImage rgba;
    if (!TIFFRGBAImageBegin(&rgba.image, tiff, 0, reason)) {
        ThrowPictureError(path, LibtiffFault(QString::fromUtf8(reason), true));
    }
    rgba.started = true;
    const int width = static_cast<int>(rgba.image.width);
    const int height = static_cast<int>(rgba.image.height);
    CheckPictureSize(path, rgba.image.width, rgba.image.height);
    rgba.image.req_orientation = ORIENTATION_TOPLEFT;

    // Bands of whole strips or tiles, so that each is decoded once.
    uint32_t unit = 0;
    if (TIFFIsTiled(tiff)) {
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
    } else {
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
    }
    qint64 band = std::clamp<qint64>(unit, 1, height);
    if (band < 64) {
        band = std::min<qint64>(height, (64 + band - 1) / band * band);
    }
    if (band * width * 4 > MaxBandBytes) {
        ThrowPictureError(path, QCoreApplication::translate("PictureErrors",
                                                            "TIFF のストリップが大きすぎます。"));
    }
    std::vector<uint32_t> raster(std::size_t(band) * width);
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3);
    sink.Begin(width, height);
    for (int top = 0; top < height; top += static_cast<int>(band)) {
        const int rows = static_cast<int>(std::min<qint64>(band, height - top));
        rgba.image.row_offset = top;
        rgba.image.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba.image, raster.data(), width, rows)) {
            if (file->LastError().isEmpty()) {
                ThrowPictureError(path, QCoreApplication::translate(
                                            "PictureErrors", "TIFF のデータが壊れています。"));
            }
            ThrowPictureError(path, file->Fault());
        }
        for (int y = 0; y < rows; ++y) {
            const uint32_t* in = raster.data() + std::size_t(y) * width;
            std::uint8_t* out = rgb.data();
            for (int x = 0; x < width; ++x, out += 3) {
                // libtiff gives colour premultiplied by alpha: transparent parts go on white.
                const uint32_t clear = 255 - TIFFGetA(in[x]);
                out[0] =
                    static_cast<std::uint8_t>(std::min<uint32_t>(255, TIFFGetR(in[x]) + clear));
                out[1] =
                    static_cast<std::uint8_t>(std::min<uint32_t>(255, TIFFGetG(in[x]) + clear));
                out[2] =
                    static_cast<std::uint8_t>(std::min<uint32_t>(255, TIFFGetB(in[x]) + clear));
            }
            sink.Row(rgb.data());
        }
    }
}

} // namespace mirte
