#include "picture/exif_reader.h"
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

const ExifFields Dated{"2003:05:12 10:20:30", "2003:05:11 09:08:07", 6, false};

TExifRecord ReadFromFile(const TempFolder& dir, const QByteArray& jpeg, bool* found = nullptr) {
    const QString path = dir.Write("exif.jpg", jpeg);
    TExifInfo info;
    const bool has = info.HasExif(path);
    if (found) {
        *found = has;
    }
    return info.ReadExif();
}

} // namespace

TEST(Exif, ReadsBothDatesAndTheOrientationInEitherByteOrder) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(32, 24);
    for (const bool bigEndian : {false, true}) {
        ExifFields fields = Dated;
        fields.bigEndian = bigEndian;
        bool found = false;
        const TExifRecord record = ReadFromFile(dir, MakeExifJpeg(picture, fields), &found);
        ASSERT_TRUE(found) << bigEndian;
        EXPECT_EQ(record.DateTime, QStringLiteral("2003:05:12 10:20:30"));
        EXPECT_EQ(record.DateTimeOriginal, QStringLiteral("2003:05:11 09:08:07"));
        EXPECT_EQ(record.Orientation, 6);
    }
}

TEST(Exif, OnlyTheFirstApp1CountsAndOnlyBeforeTheImageData) {
    TempFolder dir;
    const QByteArray plain = EncodeWithQt(MakeTestPicture(16, 16), "jpg");
    bool found = true;
    ReadFromFile(dir, plain, &found);
    EXPECT_FALSE(found); // Qt writes JFIF without EXIF

    // An XMP APP1 first hides a later EXIF one.
    const QByteArray exifFirst = MakeExifJpeg(MakeTestPicture(16, 16), Dated);
    const QByteArray xmp = InsertSegment(exifFirst, 0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
    ReadFromFile(dir, xmp, &found);
    EXPECT_FALSE(found);

    TExifInfo info;
    EXPECT_FALSE(info.HasExif(dir.Write("text.jpg", "not a picture at all")));
    EXPECT_FALSE(info.HasExif(dir.Write("empty.jpg", "")));
    EXPECT_FALSE(info.HasExif(dir.File("missing.jpg")));
    EXPECT_FALSE(info.HasExif(QString()));
    EXPECT_EQ(info.ReadExif().DateTime, QString()); // nothing remembered
}

TEST(Exif, MalformedBlocksGiveAnEmptyRecordAndAlwaysEnd) {
    QByteArray block = MakeExifBlock(Dated);
    TExifRecord record;
    ASSERT_TRUE(ParseExifBlock(block, record));

    // The date's offset points past the end.
    QByteArray pastEnd = block;
    pastEnd[8 + 2 + 12 * 1 + 8] = char(0xF0);
    EXPECT_FALSE(ParseExifBlock(pastEnd, record));
    EXPECT_TRUE(record.DateTime.isEmpty());

    // The Exif directory pointer leads back to the first directory.
    QByteArray loop = block;
    const qsizetype pointer = 8 + 2 + 12 * 2 + 8;
    loop[pointer] = 8;
    loop[pointer + 1] = loop[pointer + 2] = loop[pointer + 3] = 0;
    EXPECT_FALSE(ParseExifBlock(loop, record));

    // A next-directory offset that names the directory itself.
    QByteArray selfChain = block;
    const qsizetype next = 8 + 2 + 12 * 3;
    selfChain[next] = 8;
    EXPECT_FALSE(ParseExifBlock(selfChain, record));

    // A count of 2^32-1.
    QByteArray hugeCount = block;
    for (int i = 0; i < 4; ++i) {
        hugeCount[8 + 2 + 12 + 4 + i] = char(0xFF);
    }
    EXPECT_FALSE(ParseExifBlock(hugeCount, record));

    // Every truncation of the block fails cleanly or reads what is there.
    for (qsizetype n = 0; n < block.size(); ++n) {
        ParseExifBlock(block.left(n), record);
    }
    EXPECT_FALSE(ParseExifBlock(QByteArray(), record));
}

TEST(Exif, DatesBecomeSlashedAndShortTextsStayAsTheyAre) {
    EXPECT_EQ(ExifDateToText("2003:05:12 10:20:30"), QStringLiteral("2003/05/12 10:20:30"));
    EXPECT_EQ(ExifDateToText("2003:05:12 10:20:30 extra"), QStringLiteral("2003/05/12 10:20:30"));
    EXPECT_EQ(ExifDateToText("2003:05"), QStringLiteral("2003:05"));
    EXPECT_EQ(ExifDateToText(""), QString());
}

TEST(Exif, FindsTheBlockInAStreamWithFillBytes) {
    const QByteArray jpeg = MakeExifJpeg(MakeTestPicture(8, 8), Dated);
    QByteArray padded = jpeg.left(2) + QByteArray("\xFF\xFF", 2) + jpeg.mid(2);
    QBuffer buffer(&padded);
    buffer.open(QIODevice::ReadOnly);
    QByteArray block;
    ASSERT_TRUE(FindExifBlock(buffer, block));
    EXPECT_EQ(block, MakeExifBlock(Dated));
}
