#include "stored_thumbnail.h"

#include "jpeg_decoder.h"
#include "jpeg_errors.h"
#include "picture_error.h"
#include "picture_reasons.h"
#include "util/unique_fd.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <jpeglib.h>
#include <sys/stat.h>
#include <vector>

namespace mirte {

namespace {

// A stored thumbnail is a few tens of kilobytes; anything far larger is not one of ours.
constexpr off_t MaxStoredBytes = off_t{64} << 20;

struct Compressor {
    jpeg_compress_struct info{};
    JpegErrors errors{};
    unsigned char* output = nullptr; // malloc'ed by jpeg_mem_dest
    unsigned long outputSize = 0;
    Compressor() { info.err = InitJpegErrors(errors, true); }
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(output);
    }
};

struct Decompressor {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    bool notStored = false; // a picture the store never makes
    bool noMemory = false;
    // Warnings fail too: a stored thumbnail cut short or damaged is never served half-read.
    Decompressor() { info.err = InitJpegErrors(errors, true); }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
};

J_COLOR_SPACE ColorSpaceOf(QImage::Format format) {
    switch (format) {
    case QImage::Format_RGB888:
        return JCS_RGB;
    case QImage::Format_BGR888:
        return JCS_EXT_BGR;
    case QImage::Format_RGB32:
        return JCS_EXT_BGRX; // 0xffRRGGBB in little-endian memory
    default:
        return JCS_UNKNOWN;
    }
}

// Between setjmp and the last libjpeg call only trivial locals live, so a jump skips no
// destructor.
bool Compress(Compressor& c, const QImage& image, int quality, bool fullChroma) {
    jpeg_compress_struct* info = &c.info;
    if (setjmp(c.errors.jump)) {
        return false;
    }
    jpeg_create_compress(info);
    jpeg_mem_dest(info, &c.output, &c.outputSize);
    info->image_width = static_cast<JDIMENSION>(image.width());
    info->image_height = static_cast<JDIMENSION>(image.height());
    info->input_components = image.format() == QImage::Format_RGB32 ? 4 : 3;
    info->in_color_space = ColorSpaceOf(image.format());
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    info->dct_method = JDCT_ISLOW;
    // Optimised Huffman tables would save some 1.5 % of the bytes for three times the time.
    info->optimize_coding = FALSE;
    if (fullChroma) {
        for (int i = 0; i < info->num_components; ++i) {
            info->comp_info[i].h_samp_factor = 1;
            info->comp_info[i].v_samp_factor = 1;
        }
    }
    jpeg_start_compress(info, TRUE);
    while (info->next_scanline < info->image_height) {
        auto row = const_cast<JSAMPROW>(image.constScanLine(int(info->next_scanline)));
        jpeg_write_scanlines(info, &row, 1);
    }
    jpeg_finish_compress(info);
    return true;
}

// The size the stored picture is shown at when fitted into the box (rounded up).
QSize FittedCover(int width, int height, QSize box) {
    if (box.isEmpty() || (box.width() >= width && box.height() >= height)) {
        return {width, height};
    }
    const double scale = std::min(double(box.width()) / width, double(box.height()) / height);
    return {int(std::ceil(width * scale - 1e-9)), int(std::ceil(height * scale - 1e-9))};
}

bool Decompress(Decompressor& d, QByteArrayView data, QSize box, QImage& image) {
    jpeg_decompress_struct* info = &d.info;
    if (setjmp(d.errors.jump)) {
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(data.data()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(info, TRUE);
    const int width = int(info->image_width);
    const int height = int(info->image_height);
    if (width > MaxStoredSide || height > MaxStoredSide || info->num_components != 3) {
        d.notStored = true;
        return false;
    }
    const QSize cover = FittedCover(width, height, box);
    info->scale_num = unsigned(
        std::max(JpegScaleFor(width, cover.width()), JpegScaleFor(height, cover.height())));
    info->scale_denom = 8;
    info->out_color_space = JCS_RGB;
    info->dct_method = JDCT_ISLOW;
    jpeg_start_decompress(info);
    const QSize size(int(info->output_width), int(info->output_height));
    if (image.size() != size || image.format() != QImage::Format_RGB888 || !image.isDetached()) {
        image = QImage(size, QImage::Format_RGB888);
    }
    if (image.isNull()) {
        d.noMemory = true;
        return false;
    }
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = image.scanLine(int(info->output_scanline));
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info); // reads to the end marker: a file cut short is noticed
    return true;
}

} // namespace

QByteArray EncodeStoredThumbnail(const QImage& source, int quality, bool fullChroma) {
    if (source.isNull()) {
        throw EPictureError(
            QCoreApplication::translate("PictureErrors", "空のサムネイルは格納できません。"));
    }
    if (source.width() > MaxStoredSide || source.height() > MaxStoredSide) {
        throw EPictureError(
            QCoreApplication::translate("PictureErrors", "サムネイルが大きすぎます。"));
    }
    const QImage image = ColorSpaceOf(source.format()) == JCS_UNKNOWN
                             ? source.convertToFormat(QImage::Format_RGB888)
                             : source;
    Compressor compressor;
    if (!Compress(compressor, image, quality, fullChroma)) {
        throw EPictureError(
            QCoreApplication::translate("PictureErrors", "サムネイルを格納する形にできません。"),
            LibjpegFault(compressor.errors.pub.msg_code, compressor.errors.message).detail);
    }
    return QByteArray(reinterpret_cast<const char*>(compressor.output),
                      qsizetype(compressor.outputSize));
}

bool ReadStoredThumbnail(const QString& path, QSize box, QImage& image) {
    static thread_local std::vector<unsigned char> data;
    {
        const UniqueFd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC));
        if (!fd.Valid()) {
            if (errno == ENOENT) {
                return false;
            }
            ThrowPictureError(path, SystemFault(errno));
        }
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxStoredBytes) {
            ThrowPictureError(path, QCoreApplication::translate(
                                        "PictureErrors", "サムネイルファイルではありません。"));
        }
        data.resize(std::size_t(st.st_size));
        std::size_t got = 0;
        while (got < data.size()) {
            const ssize_t n = ::pread(fd.Get(), data.data() + got, data.size() - got, off_t(got));
            if (n <= 0) {
                break;
            }
            got += std::size_t(n);
        }
        data.resize(got);
    }
    QString error;
    QString detail;
    if (!DecodeStoredThumbnail(
            QByteArrayView(reinterpret_cast<const char*>(data.data()), qsizetype(data.size())), box,
            image, error, &detail)) {
        ThrowPictureError(path, error, detail);
    }
    return true;
}

bool DecodeStoredThumbnail(QByteArrayView bytes, QSize box, QImage& image, QString& error,
                           QString* detail) {
    if (bytes.isEmpty()) {
        error = QCoreApplication::translate("PictureErrors", "サムネイルファイルが空です。");
        return false;
    }
    Decompressor decompressor;
    if (!Decompress(decompressor, bytes, box, image)) {
        image = QImage();
        if (decompressor.notStored) {
            error =
                QCoreApplication::translate("PictureErrors", "サムネイルファイルではありません。");
        } else if (decompressor.noMemory) {
            error = PictureReasonText(TPictureReason::NoMemory, QStringLiteral("JPEG"));
        } else {
            const TPictureFault fault =
                LibjpegFault(decompressor.errors.pub.msg_code, decompressor.errors.message);
            error = fault.reason;
            if (detail != nullptr) {
                *detail = fault.detail;
            }
        }
        return false;
    }
    return true;
}

} // namespace mirte
