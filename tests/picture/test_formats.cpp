// HEIF, AVIF, WebP and camera RAW files, made at run time by Debian's tools and libraries.
#include "format_samples.h"
#include "picture/orientation.h"
#include "picture/picture_decoder.h"
#include "picture/picture_error.h"
#include "picture/picture_format.h"
#include "picture/picture_header.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

const ExifFields kDates = {"2022:01:02 03:04:05", "2021:03:04 05:06:07"};

QImage Solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The test picture with its left half transparent.
QImage HalfTransparent(int width, int height) {
    QImage image = MakeTestPicture(width, height).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

QImage OnWhite(const QImage& image) {
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

// Every byte from `from` to `to` (fractions of the file) turned into noise.
QByteArray Scrambled(QByteArray bytes, double from, double to) {
    for (qsizetype i = qsizetype(bytes.size() * from); i < qsizetype(bytes.size() * to); ++i) {
        bytes[i] = char(bytes[i] ^ (0x5A + i * 7));
    }
    return bytes;
}

// `bytes` with each number that follows the first `marker` (at `skip` bytes after it, `size`
// bytes each, in the given byte order) set to `value`.
struct Patch {
    QByteArrayView marker;
    int skip;
    quint32 value;
    int size = 4;
    bool bigEndian = true;
};
QByteArray Patched(QByteArray bytes, std::initializer_list<Patch> patches) {
    for (const Patch& patch : patches) {
        const qsizetype at = bytes.indexOf(patch.marker);
        for (int i = 0; at >= 0 && i < patch.size; ++i) {
            const int shift = 8 * (patch.bigEndian ? patch.size - 1 - i : i);
            bytes[at + patch.marker.size() + patch.skip + i] = char(patch.value >> shift);
        }
    }
    return bytes;
}

QImage Picture() {
    return MakeTestPicture(96, 64);
}

} // namespace

TEST(TodaysFormats, ReadTheHeaderAndDecodeUpright) {
    TempFolder dir;
    const QImage picture = Picture();
    const QImage red = Solid(48, 32, qRgb(220, 30, 30));
    const QImage clear = HalfTransparent(96, 64);
    const ExifFields turned = {kDates.dateTime, kDates.dateTimeOriginal, 6};
    const QByteArray withThumbnail = MakeHeifWithLibheif(picture, {.thumbnail = red});
    const struct {
        const char* name;
        QByteArray bytes;
        QImage expected;  // as shown upright, at any size
        double tolerance; // mean difference per channel
        QSize box = {96, 96};
        bool dated = false; // kDates' shooting date
    } samples[] = {
        {"plain.heic", MakeHeif(picture, {}), picture, 8},
        // The EXIF copy says "turn"; only HEIF's own boxes do.
        {"exif.heic", MakeHeif(picture, {.exif = turned}), picture, 8, {96, 96}, true},
        {"turned.heic",
         MakeHeifWithLibheif(picture, {6, {}, kDates}),
         MakeUpright(picture, 6),
         8,
         {96, 96},
         true},
        {"mirrored.heic", MakeHeifWithLibheif(picture, {2}), MakeUpright(picture, 2), 8},
        {"alpha.heic", MakeHeif(clear, {.alpha = true}), OnWhite(clear), 10},
        {"deep.heic", MakeHeif(picture, {.tenBit = true}), picture, 8},
        {"photo.avif", MakeHeif(picture, {.avif = true}), picture, 8},
        // Its thumbnail image when it covers the box, else the primary picture.
        {"small-box.heic", withThumbnail, red, 8, {40, 40}},
        {"large-box.heic", withThumbnail, picture, 8, {90, 90}},
        {"exif.webp",
         MakeWebp(picture, {.exif = turned}),
         MakeUpright(picture, 6),
         8,
         {48, 48},
         true},
        {"lossless.webp", MakeWebp(picture, {.lossless = true}), picture, 1, {200, 200}},
        {"alpha.webp", MakeWebp(clear, {.lossless = true}), OnWhite(clear), 1},
        {"animated.webp", MakeWebp(picture, {.secondFrame = red.scaled(96, 64)}), picture, 8},
        // The preview when it covers the box (the sensor says red), else the sensor's data.
        {"preview.dng",
         MakeDng(red.scaled(96, 64), {picture, kDates, 6}),
         MakeUpright(picture, 6),
         8,
         {64, 64},
         true},
        {"small-preview.dng",
         MakeDng(picture, {.preview = red, .orientation = 8}),
         MakeUpright(picture, 8),
         24,
         {64, 64}},
        // Compressed as cameras compress it, and developed.
        {"lossless.dng", MakeDng(picture, {.losslessJpeg = true}), picture, 24, {64, 64}},
    };
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.name);
        const QString path = dir.Write(sample.name, sample.bytes);
        const PictureHeader header = ReadPictureHeader(path);
        EXPECT_EQ(QSize(header.width, header.height), picture.size()); // as stored
        EXPECT_EQ(header.exif.DateTimeOriginal,
                  sample.dated ? QString::fromLatin1(kDates.dateTimeOriginal) : QString());
        // Fitted as the renderer fits it: a wrong turn shows as a squeezed picture.
        const QSize upright =
            UprightSize(picture.size(), header.orientation).scaled(sample.box, Qt::KeepAspectRatio);
        const QImage shown = DecodePictureTo(path, header, upright);
        ASSERT_EQ(shown.size(), upright);
        EXPECT_LT(MeanDifference(shown, sample.expected.scaled(upright, Qt::IgnoreAspectRatio,
                                                               Qt::SmoothTransformation)),
                  sample.tolerance);
    }
}

TEST(TodaysFormats, TheHeaderNeedsNoPictureData) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(480, 320); // its headers a small part of the file
    const struct {
        const char* name;
        QByteArray bytes;
        double from; // the part of the file scrambled
    } files[] = {
        {"a.heic", MakeHeifWithLibheif(picture, {.orientation = 6, .exif = kDates}), 0.5},
        {"b.webp", MakeWebp(picture, {.exif = kDates}), 0.1},
        {"c.dng", MakeDng(picture, {.exif = kDates}), 0.3},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const QString path =
            dir.Write(file.name, Scrambled(file.bytes, file.from, file.from + 0.3));
        const PictureHeader header = ReadPictureHeader(path);
        EXPECT_EQ(QSize(header.width, header.height), picture.size());
        EXPECT_EQ(header.exif.DateTimeOriginal, QString::fromLatin1(kDates.dateTimeOriginal));
        EXPECT_EQ(header.exif.DateTime, QString::fromLatin1(kDates.dateTime));
    }
}

TEST(TodaysFormats, DamagedFilesFailCleanly) {
    TempFolder dir;
    const QImage picture = Picture();
    const QByteArray heic = MakeHeif(picture, {});
    const QByteArray webp = MakeWebp(picture, {});
    const QByteArray dng = MakeDng(picture, {});
    const QByteArray brandOnly("\0\0\0\x18"
                               "ftypheic\0\0\0\0mif1heic",
                               24);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason; // a part of the reason given, "" for any
    } files[] = {
        {"empty.heic", {}, ""},
        {"half.heic", heic.left(heic.size() / 2), ""},
        {"scrambled.heic", Scrambled(heic, 0.02, 0.98), ""},
        {"no-image.heic", brandOnly, ""},
        // A picture of 60000 x 60000 pixels in its 'ispe' box.
        {"huge.heic", Patched(heic, {{"ispe", 4, 60000}, {"ispe", 8, 60000}}), "大きすぎ"},
        {"empty.webp", {}, ""},
        {"half.webp", webp.left(webp.size() / 2), ""},
        {"no-image.webp", QByteArray("RIFF\x04\0\0\0WEBP", 12), ""},
        {"empty.dng", {}, ""},
        {"header-only.dng", dng.left(200), ""},
        // Its width and height entries (one short each) say 65535.
        {"huge.dng",
         Patched(dng, {{QByteArrayView("\x00\x01\x03\0\x01\0\0\0", 8), 0, 65535, 2, false},
                       {QByteArrayView("\x01\x01\x03\0\x01\0\0\0", 8), 0, 65535, 2, false}}),
         ""},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const QString path = dir.Write(file.name, file.bytes);
        try {
            const PictureHeader header = ReadPictureHeader(path);
            DecodePictureTo(path, header, QSize(64, 64));
            ADD_FAILURE() << "decoded";
        } catch (const EPictureError& error) {
            EXPECT_TRUE(error.Message().contains(QStringLiteral("を読み込めません")));
            EXPECT_TRUE(error.Message().contains(QString::fromUtf8(file.reason)));
        }
    }
}

TEST(TodaysFormats, AreKnownByTheirBrandsAndSignaturesBeforeTheirExtensions) {
    TempFolder dir;
    const QImage picture = Picture();
    const QByteArray heic = MakeHeif(picture, {});
    const QByteArray dng = MakeDng(picture, {});
    const struct {
        const char* name;
        QByteArray bytes;
        PictureFormat format;
    } files[] = {
        {"photo.dat", heic, PictureFormat::Heif},
        {"heix.jpg", QByteArray(heic).replace(8, 4, "heix"), PictureFormat::Heif},
        {"compatible-only.x", QByteArray(heic).replace(8, 4, "isom"), PictureFormat::Heif},
        {"movie.heic",
         QByteArray("\0\0\0\x14"
                    "ftypisom\0\0\0\0isom",
                    20),
         PictureFormat::Heif},
        {"canon.dat",
         QByteArray("\0\0\0\x18"
                    "ftypcrx \0\0\0\x01"
                    "crx isom",
                    24),
         PictureFormat::Raw},
        {"web.jpg", MakeWebp(picture, {}), PictureFormat::WebP},
        {"camera.nef", dng, PictureFormat::Raw},
        {"camera.tif", dng, PictureFormat::Tiff},
        {"olympus.dat", QByteArray("IIRO\x08\0\0\0", 8), PictureFormat::Raw},
    };
    for (const auto& file : files) {
        EXPECT_EQ(FormatOfFile(dir.Write(file.name, file.bytes)), file.format) << file.name;
    }
    EXPECT_EQ(ReadPictureHeader(dir.File("heix.jpg")).width, picture.width());
}
