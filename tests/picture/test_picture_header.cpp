#include "picture/picture_error.h"
#include "picture/picture_format.h"
#include "picture/picture_header.h"
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QElapsedTimer>
#include <QImageReader>
#include <gtest/gtest.h>
#include <tiffio.h>

using namespace mirte;
using namespace mirte::test;

TEST(PictureFormat, ContentDecidesBeforeTheExtension) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(20, 10);
    EXPECT_EQ(FormatOfFile(dir.Write("really-png.jpg", EncodeWithQt(picture, "png"))),
              PictureFormat::Png);
    EXPECT_EQ(FormatOfFile(dir.Write("really-jpeg.bmp", EncodeWithQt(picture, "jpg"))),
              PictureFormat::Jpeg);
    EXPECT_EQ(FormatOfFile(dir.Write("a.TIF", EncodeWithQt(picture, "tif"))), PictureFormat::Tiff);
    EXPECT_EQ(FormatOfFile(dir.Write("b.dat", EncodeWithQt(picture, "bmp"))), PictureFormat::Bmp);
    EXPECT_EQ(FormatOfFile(dir.Write("text.jpg", "hello")), PictureFormat::Jpeg); // by extension
    EXPECT_EQ(FormatOfFile(dir.Write("text.txt", "hello")), PictureFormat::Unknown);
    for (const char* picture : {"jpeg", "heic", "hif", "avif", "webp", "nef", "cr3", "rwl"}) {
        EXPECT_TRUE(IsPictureExtension(picture)) << picture;
    }
    for (const char* movie : {"avi", "mp4", "mov", "m2ts", "mpeg"}) {
        EXPECT_TRUE(IsMovieExtension(movie)) << movie;
        EXPECT_FALSE(IsPictureExtension(movie)) << movie;
    }
    EXPECT_FALSE(IsPictureExtension("gif"));
    // The groups: the six pictures of old first, today's after "png", the movies from "avi" on.
    const QStringList listed = BrowsedExtensions();
    EXPECT_EQ(listed.mid(0, 7).join(','), QStringLiteral("bmp,jpg,jpeg,tif,tiff,png,heic"));
    for (int i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(IsMovieExtension(listed[i]), i >= listed.indexOf("avi"))
            << listed[i].toStdString();
    }
}

TEST(PictureHeader, GivesTheSameSizeAsAFullDecodeForEveryFormat) {
    TempFolder dir;
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"a.jpg", EncodeWithQt(MakeTestPicture(123, 45), "jpg")},
        {"b.png", EncodeWithQt(MakeTestPicture(7, 300), "png")},
        {"c.tif", EncodeTiff(MakeTestPicture(64, 33), COMPRESSION_LZW)},
        {"d.bmp", EncodeWithQt(MakeTestPicture(31, 17), "bmp")},
        {"e.jpg", MakeExifJpeg(MakeTestPicture(40, 30), {"2001:01:01 00:00:00", "x", 8})},
    };
    for (const auto& file : files) {
        const QString path = dir.Write(file.name, file.bytes);
        QElapsedTimer timer;
        timer.start();
        const PictureHeader header = ReadPictureHeader(path);
        EXPECT_LT(timer.elapsed(), 50) << file.name; // no pixel is decoded
        const QImage decoded(path);
        ASSERT_FALSE(decoded.isNull()) << file.name;
        EXPECT_EQ(QSize(header.width, header.height), QImageReader(path).size()) << file.name;
    }
    EXPECT_EQ(ReadPictureHeader(dir.File("e.jpg")).orientation, 8);
    EXPECT_EQ(ReadPictureHeader(dir.File("a.jpg")).orientation, 1);
}

TEST(PictureHeader, RefusesAbsurdSizesBeforeAllocating) {
    TempFolder dir;
    // A PNG header claiming 100000 x 100000 and nothing behind it.
    QByteArray png = EncodeWithQt(MakeTestPicture(4, 4), "png").left(33);
    png[16] = 0;
    png[17] = 1;
    png[18] = char(0x86);
    png[19] = char(0xA0);
    png[20] = 0;
    png[21] = 1;
    png[22] = char(0x86);
    png[23] = char(0xA0);
    try {
        ReadPictureHeader(dir.Write("huge.png", png));
        FAIL() << "a 100000 x 100000 picture was accepted";
    } catch (const EPictureError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("大きすぎます"))) << error.what();
    }
    // 50000 x 50000 is under the side limit but over 2^31 bytes of pixels.
    png[17] = 0;
    png[18] = char(0xC3);
    png[19] = char(0x50);
    png[21] = 0;
    png[22] = char(0xC3);
    png[23] = char(0x50);
    EXPECT_THROW(ReadPictureHeader(dir.Write("big.png", png)), EPictureError);
}

TEST(PictureHeader, BadFilesGiveClearErrors) {
    TempFolder dir;
    const QByteArray jpeg = EncodeWithQt(MakeTestPicture(30, 20), "jpg");
    const struct {
        const char* name;
        QByteArray bytes;
    } bad[] = {{"empty.jpg", ""},
               {"text.jpg", "just some text"},
               {"short.png", EncodeWithQt(MakeTestPicture(4, 4), "png").left(20)},
               {"short.jpg", jpeg.left(10)},
               {"zero.bmp", QByteArray("BM") + QByteArray(50, '\0')},
               {"unknown.xyz", "??"}};
    for (const auto& file : bad) {
        try {
            ReadPictureHeader(dir.Write(file.name, file.bytes));
            ADD_FAILURE() << file.name << " was accepted";
        } catch (const EPictureError& error) {
            EXPECT_TRUE(error.Message().startsWith(QStringLiteral("画像 \""))) << file.name;
            EXPECT_TRUE(error.Message().contains(QString::fromUtf8(file.name)));
        }
    }
    EXPECT_THROW(ReadPictureHeader(dir.File("missing.png")), EPictureError);
}
