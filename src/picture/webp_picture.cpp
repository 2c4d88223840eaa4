#include "webp_picture.h"

#include "alpha_rows.h"
#include "exif_reader.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"

#include <QCoreApplication>
#include <QFile>
#include <QRect>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>
#include <webp/decode.h>
#include <webp/demux.h>

namespace mirte {

namespace {

// A WebP is decoded from memory; larger files are refused (the format's largest picture,
// 16383 x 16383, compresses to far less).
constexpr qint64 MaxWebpFileBytes = qint64{512} << 20;
// An EXIF chunk larger than this is not read (the dates sit in its first few hundred bytes).
constexpr quint32 MaxExifBytes = quint32{4} << 20;
// Chunks walked at most in search of the EXIF chunk (an animation has one per frame).
constexpr int MaxChunks = 1 << 16;

QString StatusText(VP8StatusCode status) {
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
        return QCoreApplication::translate("PictureErrors", "WebP の展開にメモリが足りません。");
    case VP8_STATUS_NOT_ENOUGH_DATA:
        return QCoreApplication::translate("PictureErrors",
                                           "WebP のデータが途中で終わっています。");
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        return QCoreApplication::translate("PictureErrors",
                                           "WebP の扱えない機能が使われています。");
    default:
        return QCoreApplication::translate("PictureErrors", "WebP のデータが不正です。");
    }
}

// The EXIF chunk's payload is the TIFF structure; some writers put "Exif\0\0" before it.
void ParseExifChunk(QByteArrayView chunk, TExifRecord& record) {
    if (chunk.startsWith(QByteArrayView("Exif\0\0", 6))) {
        chunk = chunk.sliced(6);
    }
    ParseExifBlock(chunk, record);
}

// Walks the chunks after the RIFF header (at offset 12) up to the EXIF chunk.
void FindExifChunk(QIODevice& in, qint64 riffEnd, TExifRecord& record) {
    qint64 at = 12;
    const qint64 end = qMin(riffEnd, in.size());
    for (int chunks = 0; chunks < MaxChunks && at + 8 <= end; ++chunks) {
        unsigned char head[8];
        if (!in.seek(at) || in.read(reinterpret_cast<char*>(head), 8) != 8) {
            return;
        }
        const quint32 size = qFromLittleEndian<quint32>(head + 4);
        if (QByteArrayView(head, 4) == QByteArrayView("EXIF")) {
            if (size <= MaxExifBytes) {
                ParseExifChunk(in.read(size), record);
            }
            return;
        }
        at += 8 + qint64{size} + (size & 1); // chunks are padded to an even size
    }
}

struct DemuxDelete {
    void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};

// Decodes one frame into `width` x `height` RGB, or RGBA premultiplied when it has alpha (so
// that scaling does not bleed the colour of transparent pixels). Scaled down, the chroma is
// not upsampled smoothly first: the scaling averages far more than that smooths.
std::vector<std::uint8_t> DecodeFrame(const WebPData& frame, int width, int height, bool scale,
                                      bool alpha, const QString& path) {
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config)) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "libwebp の版が合いません。"));
    }
    const int channels = alpha ? 4 : 3;
    std::vector<std::uint8_t> pixels(std::size_t(width) * height * channels);
    config.options.use_threads = 0; // each render worker is one decoding thread
    config.options.use_scaling = scale ? 1 : 0;
    config.options.no_fancy_upsampling = scale ? 1 : 0;
    config.options.scaled_width = width;
    config.options.scaled_height = height;
    config.output.colorspace = alpha ? MODE_rgbA : MODE_RGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = pixels.data();
    config.output.u.RGBA.stride = width * channels;
    config.output.u.RGBA.size = pixels.size();
    const VP8StatusCode status = WebPDecode(frame.bytes, frame.size, &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        ThrowPictureError(path, StatusText(status));
    }
    return pixels;
}

} // namespace

bool ReadWebpHeader(QIODevice& in, PictureHeader& header, QString& error) {
    header = PictureHeader{PictureFormat::WebP};
    const QByteArray head = in.read(64);
    WebPBitstreamFeatures features;
    const VP8StatusCode status =
        WebPGetFeatures(reinterpret_cast<const std::uint8_t*>(head.constData()),
                        std::size_t(head.size()), &features);
    if (status != VP8_STATUS_OK || head.size() < 12) {
        error = StatusText(status);
        return false;
    }
    header.width = features.width;
    header.height = features.height;
    header.exifSeen = true;
    const qint64 riffEnd = 8 + qint64{qFromLittleEndian<quint32>(head.constData() + 4)};
    FindExifChunk(in, riffEnd, header.exif);
    if (header.exif.Orientation > 0) {
        header.orientation = header.exif.Orientation;
    }
    return true;
}

void DecodeWebp(const QString& path, QSize cover, RowSink& sink) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowPictureError(path, FileFault(file));
    }
    if (file.size() > MaxWebpFileBytes) {
        ThrowPictureError(
            path, QCoreApplication::translate("PictureErrors", "WebP ファイルが大きすぎます。"));
    }
    const QByteArray bytes = file.readAll();
    const WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                        std::size_t(bytes.size())};
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demux(WebPDemux(&data));
    WebPIterator frame;
    if (!demux || !WebPDemuxGetFrame(demux.get(), 1, &frame)) {
        ThrowPictureError(path, StatusText(VP8_STATUS_BITSTREAM_ERROR));
    }
    const QSize canvas(int(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH)),
                       int(WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT)));
    const QRect frameRect(frame.x_offset, frame.y_offset, frame.width, frame.height);
    const WebPData fragment = frame.fragment;
    const bool alpha = frame.has_alpha != 0;
    WebPDemuxReleaseIterator(&frame);
    CheckPictureSize(path, canvas.width(), canvas.height());

    // libwebp scales while it decodes; a picture smaller than `cover` is given whole and
    // enlarged by the caller.
    const bool scale = cover.width() < canvas.width() || cover.height() < canvas.height();
    const QSize out = scale ? cover.boundedTo(canvas).expandedTo(QSize(1, 1)) : canvas;
    const double sx = double(out.width()) / canvas.width();
    const double sy = double(out.height()) / canvas.height();
    const QRect placed =
        QRect(int(std::lround(frameRect.x() * sx)), int(std::lround(frameRect.y() * sy)),
              qMax(1, int(std::lround(frameRect.width() * sx))),
              qMax(1, int(std::lround(frameRect.height() * sy))))
            .intersected(QRect(QPoint(), out));
    if (placed.isEmpty()) {
        ThrowPictureError(path, StatusText(VP8_STATUS_BITSTREAM_ERROR));
    }
    const std::vector<std::uint8_t> pixels = DecodeFrame(
        fragment, placed.width(), placed.height(), placed.size() != frameRect.size(), alpha, path);
    const std::size_t channels = alpha ? 4 : 3;

    // The first frame on the canvas, which starts transparent: white around it.
    std::vector<std::uint8_t> rgb(std::size_t(out.width()) * 3);
    sink.Begin(out.width(), out.height());
    for (int y = 0; y < out.height(); ++y) {
        std::fill(rgb.begin(), rgb.end(), std::uint8_t{255});
        if (y >= placed.top() && y <= placed.bottom()) {
            const std::uint8_t* row =
                pixels.data() + std::size_t(y - placed.top()) * placed.width() * channels;
            std::uint8_t* into = rgb.data() + std::size_t(placed.left()) * 3;
            if (alpha) {
                FlattenOnWhite(row, into, placed.width(), true);
            } else {
                std::memcpy(into, row, std::size_t(placed.width()) * 3);
            }
        }
        sink.Row(rgb.data());
    }
}

} // namespace mirte
