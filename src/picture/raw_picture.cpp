#include "raw_picture.h"

#include "first_image_match.h"
#include "image_sink.h"
#include "jpeg_decoder.h"
#include "jpeg_header.h"
#include "picture_error.h"
#include "picture_limits.h"
#include "picture_reasons.h"
#include "raw_tiff.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <libraw/libraw.h>
#include <memory>
#include <vector>

namespace mirte {

namespace {

// LibRaw's allocations for the raw data are refused beyond this.
constexpr unsigned MaxRawMemoryMB = 1024;
// A preview whose proportions differ more than this from the picture's (a small preview with
// black bars, say) is not used.
constexpr double MaxPreviewAspectDifference = 0.03;

// The first DateTimeOriginal and DateTime LibRaw meets while it walks the file's TIFF/EXIF
// structure.
struct RawDates {
    QString original;
    QString modified;
};

// LibRaw numbers a TIFF directory's tags with the directory above the 16 bits of the tag
// (0x100000 and up) and marks a maker's private tags in the bits below that; those are not the
// standard tags, whatever their number.
void OnExifTag(void* context, int tag, int type, int length, unsigned int, void* stream, INT64) {
    auto* dates = static_cast<RawDates*>(context);
    const int number = (tag & 0xF0000) == 0 ? tag & 0xFFFF : 0;
    QString* into = number == 0x9003   ? &dates->original
                    : number == 0x0132 ? &dates->modified
                                       : nullptr;
    if (into == nullptr || !into->isEmpty() || type != 2 || length <= 0) {
        return;
    }
    char text[20] = {};
    const int read = static_cast<LibRaw_abstract_datastream*>(stream)->read(
        text, 1, std::size_t(qMin(length, int(sizeof text))));
    *into = QString::fromLatin1(text, int(qstrnlen(text, std::size_t(qMax(read, 0)))));
}

// LibRaw's default handlers print to standard error; a damaged file is reported by its result.
void IgnoreDataError(void*, const char*, const int) {}
void IgnoreMemoryError(void*, const char*, const char*) {}

// dcraw's flip (bit 0 mirror left-right, bit 1 upside down, bit 2 swap the axes) as the EXIF
// orientation that means the same turn.
int OrientationOfFlip(int flip) {
    static constexpr int orientations[8] = {1, 2, 4, 3, 5, 8, 6, 7};
    return orientations[flip & 7];
}

struct Raw {
    std::unique_ptr<LibRaw> lib = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    RawDates dates;
    Raw() {
        lib->imgdata.params.max_raw_memory_mb = MaxRawMemoryMB;
        lib->set_exifparser_handler(&OnExifTag, &dates);
        lib->set_dataerror_handler(&IgnoreDataError, nullptr);
        lib->set_memerror_handler(&IgnoreMemoryError, nullptr);
    }
};

// The file's own TIFF structure, as the program reads it; empty for a file of another layout.
TRawTiff OwnTiff(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ReadRawTiff(file) : TRawTiff();
}

// The dates where exiftool finds them, as the program reads them; else those LibRaw met, else
// its time stamp (a CR3's, say).
void TakeDates(const TRawTiff& own, const Raw* raw, PictureHeader& header) {
    header.exifSeen = true;
    header.exif.DateTimeOriginal = own.exif.DateTimeOriginal;
    header.exif.DateTime = own.exif.DateTime;
    if (raw == nullptr) {
        return;
    }
    if (header.exif.DateTimeOriginal.isEmpty()) {
        header.exif.DateTimeOriginal = raw->dates.original;
    }
    if (header.exif.DateTime.isEmpty()) {
        header.exif.DateTime = raw->dates.modified;
    }
    const time_t stamp = raw->lib->imgdata.other.timestamp;
    if (header.exif.DateTimeOriginal.isEmpty() && stamp > 0) {
        header.exif.DateTimeOriginal =
            QDateTime::fromSecsSinceEpoch(stamp).toString(QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    }
}

bool FillHeader(Raw& raw, int opened, const TRawTiff& own, PictureHeader& header,
                TPictureFault& fault) {
    if (opened != LIBRAW_SUCCESS) {
        // A camera LibRaw does not know, or a file of metadata and previews only: its largest
        // preview is all there is to show, so it is the picture.
        const TRawJpeg* preview = own.Largest();
        if (preview == nullptr) {
            fault = LibRawFault(opened, true);
            return false;
        }
        header = PictureHeader{PictureFormat::Raw};
        header.width = preview->size.width();
        header.height = preview->size.height();
        header.orientation = own.exif.Orientation > 0 ? own.exif.Orientation : 1;
        TakeDates(own, nullptr, header);
        return true;
    }
    const libraw_image_sizes_t& sizes = raw.lib->imgdata.sizes;
    header = PictureHeader{PictureFormat::Raw};
    header.width = sizes.width;
    header.height = sizes.height;
    header.orientation = OrientationOfFlip(sizes.flip);
    TakeDates(own, &raw, header);
    return true;
}

// `opening`: the failure of open_file (see LibRawFault).
void Throw(const QString& path, int code, bool opening = false) {
    ThrowPictureError(path, LibRawFault(code, opening));
}

// The preview's own size: a JPEG's from its frame header, a bitmap's as LibRaw gives it.
QSize PreviewSize(const libraw_thumbnail_t& thumbnail) {
    if (thumbnail.tformat == LIBRAW_THUMBNAIL_JPEG) {
        QByteArray bytes = QByteArray::fromRawData(thumbnail.thumb, qsizetype(thumbnail.tlength));
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        PictureHeader jpeg;
        QString error;
        return ReadJpegHeader(in, jpeg, error) ? QSize(jpeg.width, jpeg.height) : QSize();
    }
    return QSize(thumbnail.twidth, thumbnail.theight);
}

bool SameProportions(QSize preview, QSize picture) {
    const double aspect = double(picture.width()) / picture.height();
    const double previewAspect = double(preview.width()) / preview.height();
    return std::abs(previewAspect - aspect) <= MaxPreviewAspectDifference * aspect;
}

bool Serves(QSize preview, QSize picture, QSize cover) {
    if (preview.width() < cover.width() || preview.height() < cover.height() || preview.isEmpty() ||
        picture.isEmpty()) {
        return false;
    }
    return SameProportions(preview, picture);
}

// Bitmap previews and developed pictures: 8-bit RGB or grey rows.
void SendRows(const unsigned char* pixels, int width, int height, int colours, RowSink& sink) {
    std::vector<std::uint8_t> rgb(std::size_t(width) * 3);
    sink.Begin(width, height);
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = pixels + std::size_t(y) * width * colours;
        if (colours == 3) {
            sink.Row(row);
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const std::size_t at = std::size_t(x) * 3;
            rgb[at] = rgb[at + 1] = rgb[at + 2] = row[x];
        }
        sink.Row(rgb.data());
    }
}

// The unpacked preview into the sink; false for a kind of preview the program does not read.
bool SendPreview(const libraw_thumbnail_t& thumbnail, QSize cover, RowSink& sink,
                 const QString& path) {
    if (thumbnail.thumb == nullptr) {
        return false;
    }
    if (thumbnail.tformat == LIBRAW_THUMBNAIL_JPEG) {
        DecodeJpegData(reinterpret_cast<const unsigned char*>(thumbnail.thumb), thumbnail.tlength,
                       cover, sink, path);
        return true;
    }
    const qint64 bytes = qint64{thumbnail.twidth} * thumbnail.theight * thumbnail.tcolors;
    if (thumbnail.tformat != LIBRAW_THUMBNAIL_BITMAP ||
        (thumbnail.tcolors != 1 && thumbnail.tcolors != 3) || bytes > thumbnail.tlength) {
        return false;
    }
    CheckPictureSize(path, thumbnail.twidth, thumbnail.theight);
    SendRows(reinterpret_cast<const unsigned char*>(thumbnail.thumb), thumbnail.twidth,
             thumbnail.theight, thumbnail.tcolors, sink);
    return true;
}

bool DecodePreview(Raw& raw, QSize cover, RowSink& sink, const QString& path) {
    const libraw_thumbnail_t& thumbnail = raw.lib->imgdata.thumbnail;
    const QSize picture(raw.lib->imgdata.sizes.width, raw.lib->imgdata.sizes.height);
    const bool sizeKnown = thumbnail.twidth > 0 && thumbnail.theight > 0;
    if ((sizeKnown && !Serves(QSize(thumbnail.twidth, thumbnail.theight), picture, cover)) ||
        raw.lib->unpack_thumb() != LIBRAW_SUCCESS || thumbnail.thumb == nullptr ||
        !Serves(PreviewSize(thumbnail), picture, cover)) {
        return false;
    }
    return SendPreview(thumbnail, cover, sink, path);
}

struct ImageFree {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};

void Develop(Raw& raw, RowSink& sink, const QString& path) {
    libraw_output_params_t& params = raw.lib->imgdata.params;
    params.half_size = 1;     // one pixel from each 2 x 2 block of the sensor: no demosaicing
    params.use_camera_wb = 1; // the camera's white balance, as its preview shows it
    params.user_flip = 0;     // turned upright by the caller, as the preview is
    params.output_bps = 8;
    CheckPictureSize(path, raw.lib->imgdata.sizes.raw_width, raw.lib->imgdata.sizes.raw_height);
    if (const int code = raw.lib->unpack(); code != LIBRAW_SUCCESS) {
        Throw(path, code);
    }
    if (const int code = raw.lib->dcraw_process(); code != LIBRAW_SUCCESS) {
        Throw(path, code);
    }
    int code = LIBRAW_SUCCESS;
    const std::unique_ptr<libraw_processed_image_t, ImageFree> image(
        raw.lib->dcraw_make_mem_image(&code));
    if (!image || code != LIBRAW_SUCCESS) {
        Throw(path, code != LIBRAW_SUCCESS ? code : LIBRAW_UNSPECIFIED_ERROR);
    }
    if (image->type != LIBRAW_IMAGE_BITMAP || image->bits != 8 ||
        (image->colors != 1 && image->colors != 3)) {
        Throw(path, LIBRAW_UNSUPPORTED_THUMBNAIL);
    }
    SendRows(image->data, image->width, image->height, image->colors, sink);
}

// A picture's rows into the sink.
void SendImage(const QImage& image, RowSink& sink) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    sink.Begin(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        sink.Row(rgb.constScanLine(y));
    }
}

// The largest JPEG preview the program finds in the file itself; null when there is none or it
// cannot be read.
QImage OwnPreview(const QString& path, const TRawTiff& own, QSize cover) {
    const TRawJpeg* preview = own.Largest();
    QFile file(path);
    if (preview == nullptr || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray bytes = ReadRawJpeg(file, *preview);
    TImageSink image(path);
    DecodeJpegData(reinterpret_cast<const unsigned char*>(bytes.constData()),
                   std::size_t(bytes.size()), cover, image, path);
    return image.Take();
}

// For raw data that cannot be developed: the camera's preview whatever its size (the caller
// enlarges a small one), cut to the picture's proportions when it has others (a small preview
// with bars, say), so that it is never squeezed. False when there is none to be read.
bool DecodeAnyPreview(Raw& raw, QSize picture, QSize cover, RowSink& sink, const QString& path) {
    QImage preview;
    try {
        if (raw.lib->unpack_thumb() == LIBRAW_SUCCESS) {
            TImageSink image(path);
            if (SendPreview(raw.lib->imgdata.thumbnail, cover, image, path)) {
                preview = image.Take();
            }
        }
        if (preview.isNull()) {
            preview = OwnPreview(path, OwnTiff(path), cover);
        }
    } catch (const EPictureError&) {
        return false; // damaged: the development's failure is the one to report
    }
    if (preview.isNull()) {
        return false;
    }
    if (!picture.isEmpty() && !SameProportions(preview.size(), picture)) {
        const QSize content = ContentSize(preview.size(), picture);
        preview = preview.copy((preview.width() - content.width()) / 2,
                               (preview.height() - content.height()) / 2, content.width(),
                               content.height());
    }
    SendImage(preview, sink);
    return true;
}

} // namespace

bool ReadRawHeader(const QString& path, PictureHeader& header, TPictureFault& fault) {
    Raw raw;
    const int opened = raw.lib->open_file(path.toLocal8Bit().constData());
    return FillHeader(raw, opened, OwnTiff(path), header, fault);
}

bool ReadRawHeader(QByteArrayView bytes, PictureHeader& header, TPictureFault& fault) {
    Raw raw;
    // LibRaw only reads the buffer, though its signature does not say so.
    void* data = const_cast<char*>(bytes.data());
    const int opened = raw.lib->open_buffer(data, std::size_t(bytes.size()));
    QByteArray copy = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    return FillHeader(raw, opened, ReadRawTiff(in), header, fault);
}

void DecodeRaw(const QString& path, QSize cover, RowSink& sink) {
    Raw raw;
    if (const int code = raw.lib->open_file(path.toLocal8Bit().constData());
        code != LIBRAW_SUCCESS) {
        // Known to the program only by its previews (see FillHeader).
        const QImage preview = OwnPreview(path, OwnTiff(path), cover);
        if (preview.isNull()) {
            Throw(path, code, true);
        }
        SendImage(preview, sink);
        return;
    }
    if (DecodePreview(raw, cover, sink, path)) {
        return;
    }
    // Kept: LibRaw forgets the sizes when it fails.
    const QSize picture(raw.lib->imgdata.sizes.width, raw.lib->imgdata.sizes.height);
    try {
        Develop(raw, sink, path);
    } catch (const EPictureError&) {
        if (!DecodeAnyPreview(raw, picture, cover, sink, path)) {
            throw;
        }
    }
}

} // namespace mirte

namespace mirte {

std::vector<TFirstImageCandidate> RawPreviewCandidates(const QString& path) {
    const auto raw = std::make_shared<Raw>();
    std::vector<TFirstImageCandidate> candidates;
    if (const int code = raw->lib->open_file(path.toLocal8Bit().constData());
        code != LIBRAW_SUCCESS) {
        // The previews the program finds itself in a file LibRaw does not know.
        const TRawTiff own = OwnTiff(path);
        if (own.jpegs.empty()) {
            Throw(path, code, true);
        }
        for (const TRawJpeg& jpeg : own.jpegs) {
            TFirstImageCandidate candidate;
            candidate.Size = jpeg.size;
            candidate.Orientation = own.exif.Orientation > 0 ? own.exif.Orientation : 1;
            candidate.Decode = [jpeg, path](QSize cover) {
                QFile file(path);
                const QByteArray bytes =
                    file.open(QIODevice::ReadOnly) ? ReadRawJpeg(file, jpeg) : QByteArray();
                TImageSink sink(path);
                DecodeJpegData(reinterpret_cast<const unsigned char*>(bytes.constData()),
                               std::size_t(bytes.size()), cover, sink, path);
                return sink.Take();
            };
            candidates.push_back(std::move(candidate));
        }
        return candidates;
    }
    const libraw_thumbnail_t& thumbnail = raw->lib->imgdata.thumbnail;
    if (raw->lib->unpack_thumb() != LIBRAW_SUCCESS || thumbnail.thumb == nullptr) {
        return candidates;
    }
    TFirstImageCandidate candidate;
    candidate.Size = PreviewSize(thumbnail);
    candidate.Orientation = OrientationOfFlip(raw->lib->imgdata.sizes.flip);
    candidate.Decode = [raw, path](QSize cover) {
        TImageSink sink(path);
        if (!SendPreview(raw->lib->imgdata.thumbnail, cover, sink, path)) {
            Throw(path, LIBRAW_UNSUPPORTED_THUMBNAIL);
        }
        return sink.Take();
    };
    candidates.push_back(std::move(candidate));
    return candidates;
}

} // namespace mirte
