#include "jpeg_decoder.h"

#include "jpeg_errors.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"
#include "stdio_file.h"

#include <QCoreApplication>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <sys/stat.h>
#include <vector>

namespace mirte {

namespace {

// A JPEG is read into memory whole; a file larger than this is refused (a photograph of 100
// megapixels is some 50 MB).
constexpr qint64 MaxJpegFileBytes = qint64{1} << 30;
// The read buffer is kept between pictures up to this size.
constexpr std::size_t KeptBufferBytes = std::size_t{64} << 20;

// Owns the decompressor; destroyed on every path out, including after a longjmp.
struct Decompressor {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    explicit Decompressor(bool warningsFail) { info.err = InitJpegErrors(errors, warningsFail); }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

void CmykToRgb(const JSAMPLE* in, std::uint8_t* out, int width, bool adobeInverted) {
    {
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            // Adobe writes CMYK inverted; either way, colour = (1 - ink) * (1 - black).
            const int c = adobeInverted ? in[0] : 255 - in[0];
            const int m = adobeInverted ? in[1] : 255 - in[1];
            const int y = adobeInverted ? in[2] : 255 - in[2];
            const int k = adobeInverted ? in[3] : 255 - in[3];
            out[0] = static_cast<std::uint8_t>(c * k / 255);
            out[1] = static_cast<std::uint8_t>(m * k / 255);
            out[2] = static_cast<std::uint8_t>(y * k / 255);
        }
    }
}

// Everything between setjmp and the last libjpeg call lives in this function, whose locals are
// all trivial, so the jump back skips no destructor.
bool Run(Decompressor& d, const unsigned char* data, std::size_t size, QSize cover, RowSink& sink,
         std::vector<JSAMPLE>& buffer, std::vector<std::uint8_t>& rgb, const QString& path) {
    jpeg_decompress_struct* info = &d.info;
    if (setjmp(d.errors.jump)) {
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_mem_src(info, data, static_cast<unsigned long>(size));
    jpeg_read_header(info, TRUE);
    CheckPictureSize(path, info->image_width, info->image_height);

    // Both sides are within the checked limits, so they fit an int.
    const int n = std::max(JpegScaleFor(static_cast<int>(info->image_width), cover.width()),
                           JpegScaleFor(static_cast<int>(info->image_height), cover.height()));
    info->scale_num = n;
    info->scale_denom = 8;
    // Thumbnails are shrunk further anyway: the plain chroma upsampling is all they need.
    info->do_fancy_upsampling = FALSE;
    info->dct_method = JDCT_ISLOW;
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    const bool adobeInverted = cmyk && info->saw_Adobe_marker;
    jpeg_start_decompress(info);

    const int width = static_cast<int>(info->output_width);
    const int components = info->output_components;
    buffer.resize(std::size_t(width) * components);
    rgb.resize(std::size_t(width) * 3);
    sink.Begin(width, static_cast<int>(info->output_height));
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = buffer.data();
        if (jpeg_read_scanlines(info, &row, 1) != 1) {
            break;
        }
        if (cmyk) {
            CmykToRgb(buffer.data(), rgb.data(), width, adobeInverted);
            sink.Row(rgb.data());
        } else {
            sink.Row(buffer.data());
        }
    }
    jpeg_abort_decompress(info); // nothing after the last row is needed
    return true;
}

} // namespace

void DecodeJpegData(const unsigned char* data, std::size_t size, QSize cover, RowSink& sink,
                    const QString& path, bool warningsFail) {
    Decompressor decompressor(warningsFail);
    std::vector<JSAMPLE> buffer;
    std::vector<std::uint8_t> rgb;
    if (!Run(decompressor, data, size, cover, sink, buffer, rgb, path)) {
        ThrowPictureError(
            path, LibjpegFault(decompressor.errors.pub.msg_code, decompressor.errors.message));
    }
}

int JpegScaleFor(int stored, int wanted) {
    for (int n = 1; n < 8; ++n) {
        if ((qint64{stored} * n + 7) / 8 >= wanted) {
            return n;
        }
    }
    return 8;
}

void DecodeJpeg(const QString& path, QSize cover, RowSink& sink) {
    // The whole file in memory first: one read instead of thousands of small ones, and libjpeg's
    // fastest Huffman path, which wants the data ahead of it.
    static thread_local std::vector<unsigned char> data;
    {
        const StdioFile file = OpenForReading(path);
        if (!file) {
            ThrowPictureError(path, SystemFault(errno));
        }
        struct stat st {};
        if (::fstat(::fileno(file.get()), &st) != 0 || st.st_size > MaxJpegFileBytes) {
            ThrowPictureError(path, QCoreApplication::translate("PictureErrors",
                                                                "JPEG ファイルが大きすぎます。"));
        }
        data.resize(static_cast<std::size_t>(st.st_size));
        data.resize(std::fread(data.data(), 1, data.size(), file.get()));
    }
    DecodeJpegData(data.data(), data.size(), cover, sink, path);
    if (data.capacity() > KeptBufferBytes) {
        std::vector<unsigned char>().swap(data); // do not keep a huge file's buffer around
    }
}

} // namespace mirte
