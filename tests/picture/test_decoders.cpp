#include "picture/area_scaler.h"
#include "picture/bmp_decoder.h"
#include "picture/orientation.h"
#include "picture/picture_decoder.h"
#include "picture/picture_error.h"
#include "picture/picture_header.h"
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QImageReader>
#include <gtest/gtest.h>
#include <tiffio.h>

using namespace mirte;
using namespace mirte::test;

namespace {

// What Qt makes of the same file, shown upright and scaled smoothly: an independent reference.
QImage Reference(const QString& path, QSize size) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read()
        .convertToFormat(QImage::Format_RGB32)
        .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage Decode(const QString& path, QSize size) {
    return DecodePictureTo(path, ReadPictureHeader(path), size);
}

// Feeds an image through the scaler row by row.
QImage Scale(const QImage& source, QSize target) {
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    AreaScaler scaler(target);
    scaler.Begin(rgb.width(), rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        scaler.Row(rgb.constScanLine(y));
    }
    return scaler.Result();
}

} // namespace

TEST(AreaScaler, AveragesFineStripesToAnEvenGrey) {
    QImage stripes(800, 800, QImage::Format_RGB32);
    for (int y = 0; y < 800; ++y) {
        for (int x = 0; x < 800; ++x) {
            stripes.setPixel(x, y, ((x + y) % 2) ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
    }
    const QImage small = Scale(stripes, QSize(100, 100));
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            ASSERT_NEAR(qGray(small.pixel(x, y)), 128, 2) << x << "," << y;
        }
    }
    // Uneven factors too: 7 source columns over 3 target columns.
    const QImage uneven = Scale(stripes.copy(0, 0, 7, 700), QSize(3, 300));
    for (int x = 0; x < 3; ++x) {
        EXPECT_NEAR(qGray(uneven.pixel(x, 150)), 128, 3);
    }
}

TEST(AreaScaler, KeepsEveryPixelOfAnAreaInItsAverage) {
    QImage blocks(4, 2, QImage::Format_RGB32);
    const int values[2][4] = {{0, 40, 200, 100}, {80, 120, 0, 60}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            blocks.setPixel(x, y, qRgb(values[y][x], values[y][x], values[y][x]));
        }
    }
    const QImage half = Scale(blocks, QSize(2, 1));
    EXPECT_EQ(qRed(half.pixel(0, 0)), 60); // (0 + 40 + 80 + 120) / 4
    EXPECT_EQ(qRed(half.pixel(1, 0)), 90); // (200 + 100 + 0 + 60) / 4
    EXPECT_EQ(Scale(blocks, QSize(4, 2)), blocks.convertToFormat(QImage::Format_RGB888));
    const QImage bigger = Scale(blocks, QSize(8, 4)); // enlarging is smooth, and whole
    EXPECT_EQ(bigger.size(), QSize(8, 4));
}

TEST(Decoders, EveryFormatMatchesQtsOwnReading) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(400, 300);
    const struct {
        const char* name;
        QByteArray bytes;
        double tolerance;
    } files[] = {
        {"a.jpg", EncodeWithQt(picture, "jpg", 95), 4.0},
        {"b.png", EncodeWithQt(picture, "png"), 1.5},
        {"c.bmp", EncodeWithQt(picture, "bmp"), 1.5},
        {"d.tif", EncodeWithQt(picture, "tif"), 1.5},
        {"e-packbits.tif", EncodeTiff(picture, COMPRESSION_PACKBITS), 1.5},
        {"f-lzw.tif", EncodeTiff(picture, COMPRESSION_LZW), 1.5},
        {"g-deflate.tif", EncodeTiff(picture, COMPRESSION_ADOBE_DEFLATE), 1.5},
        {"h-jpeg.tif", EncodeTiff(picture, COMPRESSION_JPEG), 4.0},
        {"i-fax3.tif", EncodeTiff(picture, COMPRESSION_CCITTFAX3), 12.0},
        {"j-gray.png", EncodeWithQt(picture.convertToFormat(QImage::Format_Grayscale8), "png"),
         1.5},
        {"k-indexed.png", EncodeWithQt(picture.convertToFormat(QImage::Format_Indexed8), "png"),
         1.5},
        {"l-indexed.bmp", EncodeWithQt(picture.convertToFormat(QImage::Format_Indexed8), "bmp"),
         1.5},
    };
    for (const auto& file : files) {
        const QString path = dir.Write(file.name, file.bytes);
        for (const QSize size : {QSize(100, 75), QSize(400, 300), QSize(37, 28)}) {
            const QImage ours = Decode(path, size);
            ASSERT_EQ(ours.size(), size) << file.name;
            EXPECT_LT(MeanDifference(ours, Reference(path, size)), file.tolerance)
                << file.name << " at " << size.width();
        }
    }
}

TEST(Decoders, ThumbnailsComeOutUprightForAllEightOrientations) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(160, 120);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const QString path =
            dir.Write(QStringLiteral("o%1.jpg").arg(orientation),
                      MakeExifJpeg(picture, {"2001:01:01 00:00:00", "", orientation}));
        const PictureHeader header = ReadPictureHeader(path);
        EXPECT_EQ(QSize(header.width, header.height), QSize(160, 120)); // the stored size
        const QSize upright = UprightSize(QSize(80, 60), orientation);
        const QImage ours = DecodePictureTo(path, header, upright);
        ASSERT_EQ(ours.size(), upright) << orientation;
        EXPECT_LT(MeanDifference(ours, Reference(path, upright)), 4.0) << orientation;
    }
}

TEST(Decoders, BmpHeadersOfEveryGenerationAndTheirMasks) {
    // A 2 x 2 picture of red, green, blue and white in 32 bits with bit fields in a 124-byte
    // header whose masks put red in the lowest byte.
    QByteArray bmp("BM");
    auto u32 = [](QByteArray& b, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b += char(v >> (8 * i));
    };
    auto u16 = [](QByteArray& b, quint32 v) {
        b += char(v);
        b += char(v >> 8);
    };
    u32(bmp, 14 + 124 + 16);
    u32(bmp, 0);
    u32(bmp, 14 + 124);
    u32(bmp, 124);
    u32(bmp, 2);
    u32(bmp, quint32(-2)); // top-down
    u16(bmp, 1);
    u16(bmp, 32);
    u32(bmp, 3); // bit fields
    u32(bmp, 16);
    u32(bmp, 2835);
    u32(bmp, 2835);
    u32(bmp, 0);
    u32(bmp, 0);
    u32(bmp, 0x000000FF); // red
    u32(bmp, 0x0000FF00); // green
    u32(bmp, 0x00FF0000); // blue
    u32(bmp, 0);
    bmp += QByteArray(124 - 56, '\0');
    for (quint32 pixel : {0x0000FFu, 0x00FF00u, 0xFF0000u, 0xFFFFFFu}) {
        u32(bmp, pixel);
    }
    TempFolder dir;
    const QImage ours = Decode(dir.Write("v5.bmp", bmp), QSize(2, 2));
    EXPECT_EQ(ours.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(ours.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(ours.pixel(0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(ours.pixel(1, 1), qRgb(255, 255, 255));
}

TEST(Decoders, DamagedFilesFailCleanlyOrGiveTheirBest) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(64, 48);
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"a.jpg", EncodeWithQt(picture, "jpg")},
                 {"b.png", EncodeWithQt(picture, "png")},
                 {"c.bmp", EncodeWithQt(picture, "bmp")},
                 {"d.tif", EncodeTiff(picture, COMPRESSION_LZW)},
                 {"e.bmp", EncodeWithQt(picture.convertToFormat(QImage::Format_Indexed8), "bmp")}};
    for (const auto& file : files) {
        // Every cut and a few flipped bytes: an error or a picture, never a crash.
        for (qsizetype cut = 0; cut < file.bytes.size(); cut += 7) {
            const QString path = dir.Write(file.name, file.bytes.left(cut));
            try {
                const QImage image = Decode(path, QSize(32, 24));
                EXPECT_EQ(image.size(), QSize(32, 24));
            } catch (const EPictureError&) {
            }
        }
        QByteArray flipped = file.bytes;
        for (qsizetype i = 0; i < flipped.size(); i += 13) {
            flipped[i] = char(~flipped[i]);
            const QString path = dir.Write(file.name, flipped);
            try {
                Decode(path, QSize(32, 24));
            } catch (const EPictureError&) {
            }
        }
    }
}

TEST(Decoders, AShortBmpKeepsWhatItHasAndBlacksTheRest) {
    TempFolder dir;
    QImage white(8, 8, QImage::Format_RGB888);
    white.fill(Qt::white);
    const QByteArray bmp = EncodeWithQt(white, "bmp");
    // Rows are stored bottom-up: cutting the file loses the top rows.
    const QString path = dir.Write("short.bmp", bmp.left(bmp.size() - 4 * 24));
    const QImage ours = Decode(path, QSize(8, 8));
    EXPECT_EQ(ours.pixel(0, 7), qRgb(255, 255, 255));
    EXPECT_EQ(ours.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(Decoders, APaletteLongerThanTheDepthAllowsIsCutToTheDepth) {
    // A 4-bit picture whose header claims 171 colours: only 16 can be used.
    QImage four(8, 2, QImage::Format_Indexed8);
    four.setColorCount(16);
    for (int i = 0; i < 16; ++i) {
        four.setColor(i, qRgb(i * 16, 0, 0));
    }
    four.fill(3);
    QByteArray bmp = EncodeWithQt(four, "bmp");
    ASSERT_EQ(quint8(bmp[28]), 4); // Qt keeps a 16-colour picture at 4 bits
    bmp[46] = char(171);
    // A gap after the 16 colours, so the pixel offset alone does not cut the palette.
    const quint32 offset = quint8(bmp[10]) + 40;
    bmp.insert(offset - 40, QByteArray(40, '\0'));
    bmp[10] = char(offset);
    TempFolder dir;
    const QImage ours = Decode(dir.Write("claims.bmp", bmp), QSize(8, 2));
    EXPECT_EQ(ours.size(), QSize(8, 2));
}
