#include "format_table.h"

#include "bmp_decoder.h"
#include "bmp_header.h"
#include "heif_picture.h"
#include "jpeg_decoder.h"
#include "jpeg_header.h"
#include "png_decoder.h"
#include "png_header.h"
#include "raw_picture.h"
#include "tiff_decoder.h"
#include "tiff_header.h"
#include "webp_picture.h"

#include <algorithm>

namespace mirte {

namespace {

constexpr FormatSignature JpegSignatures[] = {{"\xFF\xD8\xFF"}};
constexpr FormatSignature PngSignatures[] = {{"\x89PNG\r\n\x1A\n"}};
// Classic and big TIFF, in either byte order.
constexpr FormatSignature TiffSignatures[] = {
    {QByteArrayView("II*\0", 4)},
    {QByteArrayView("MM\0*", 4)},
    {QByteArrayView("II+\0", 4)},
    {QByteArrayView("MM\0+", 4)},
};
constexpr FormatSignature BmpSignatures[] = {{"BM"}};
constexpr FormatSignature WebpSignatures[] = {{"RIFF", 8, "WEBP"}};
// Camera RAW files whose first bytes are their own; the TIFF-based ones look like TIFF, and
// their extension tells them apart (FormatOf).
constexpr FormatSignature RawSignatures[] = {
    {QByteArrayView("IIRO", 4)},
    {QByteArrayView("IIRS", 4)},
    {QByteArrayView("MMOR", 4)},
    {QByteArrayView("IIU\0", 4)},
    {QByteArrayView("FUJIFILMCCD-RAW", 15)},
    {QByteArrayView("\0MRM", 4)},
    {QByteArrayView("FOVb", 4)},
    {QByteArrayView("II\x1A\0\0\0HEAPCCDR", 14)}, // Canon CRW
};

// The brands of a still picture libheif reads: HEVC and AV1 images and sequences, and the
// generic image brands.
constexpr QByteArrayView HeifBrands[] = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                         "hevm", "hevs", "mif1", "msf1", "avif", "avis"};
constexpr QByteArrayView CanonCr3Brands[] = {"crx "};

constexpr const char* BmpListed[] = {"bmp"};
constexpr const char* BmpOthers[] = {"dib"};
constexpr const char* JpegListed[] = {"jpg", "jpeg"};
constexpr const char* JpegOthers[] = {"jpe", "jfif"};
constexpr const char* TiffListed[] = {"tif", "tiff"};
constexpr const char* PngListed[] = {"png"};
constexpr const char* HeifListed[] = {"heic", "heif", "hif", "avif"};
constexpr const char* WebpListed[] = {"webp"};
constexpr const char* RawListed[] = {"cr2", "cr3", "crw", "nef", "nrw", "arw", "srf", "sr2",
                                     "dng", "orf", "rw2", "raf", "pef", "srw", "x3f", "3fr",
                                     "iiq", "erf", "kdc", "dcr", "mos", "mrw", "rwl"};

// The decoders that take the picture whole, whatever size it is wanted at.
void DecodeBmpWhole(const QString& path, QSize, RowSink& sink) {
    DecodeBmp(path, sink);
}
void DecodePngWhole(const QString& path, QSize, RowSink& sink) {
    DecodePng(path, sink);
}
void DecodeTiffWhole(const QString& path, QSize, RowSink& sink) {
    DecodeTiff(path, sink);
}

// In the order of the browser's list: the six extensions of old first.
constexpr FormatEntry Formats[] = {
    {.format = PictureFormat::Bmp,
     .signatures = BmpSignatures,
     .listedExtensions = BmpListed,
     .otherExtensions = BmpOthers,
     .readHeader = ReadBmpHeader,
     .decode = DecodeBmpWhole},
    {.format = PictureFormat::Jpeg,
     .signatures = JpegSignatures,
     .listedExtensions = JpegListed,
     .otherExtensions = JpegOthers,
     .readHeader = ReadJpegHeader,
     .decode = DecodeJpeg},
    {.format = PictureFormat::Tiff,
     .signatures = TiffSignatures,
     .listedExtensions = TiffListed,
     .readHeaderAt = ReadTiffHeader,
     .decode = DecodeTiffWhole},
    {.format = PictureFormat::Png,
     .signatures = PngSignatures,
     .listedExtensions = PngListed,
     .readHeader = ReadPngHeader,
     .decode = DecodePngWhole},
    {.format = PictureFormat::Heif,
     .majorBrands = HeifBrands,
     .compatibleBrands = HeifBrands,
     .listedExtensions = HeifListed,
     .readHeaderAt = ReadHeifHeader,
     .decode = DecodeHeif},
    {.format = PictureFormat::WebP,
     .signatures = WebpSignatures,
     .listedExtensions = WebpListed,
     .readHeader = ReadWebpHeader,
     .decode = DecodeWebp},
    {.format = PictureFormat::Raw,
     .signatures = RawSignatures,
     .majorBrands = CanonCr3Brands,
     .listedExtensions = RawListed,
     .readHeaderAt = ReadRawHeader,
     .decode = DecodeRaw},
};

} // namespace

bool FormatSignature::Matches(QByteArrayView firstBytes) const {
    if (!firstBytes.startsWith(lead)) {
        return false;
    }
    return tag.isEmpty() ||
           (firstBytes.size() >= tagAt + tag.size() && firstBytes.sliced(tagAt, tag.size()) == tag);
}

std::span<const FormatEntry> PictureFormats() {
    return Formats;
}

const FormatEntry* FindFormat(PictureFormat format) {
    const auto found =
        std::find_if(std::begin(Formats), std::end(Formats),
                     [format](const FormatEntry& entry) { return entry.format == format; });
    return found != std::end(Formats) ? found : nullptr;
}

} // namespace mirte
