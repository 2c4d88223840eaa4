#include "picture/exif_reader.h"
#include "picture/picture_header.h"
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

TEST(Exif, TheFirstExifApp1BeforeTheImageDataCountsWhereverItIs) {
    TempFolder dir;
    const QByteArray plain = EncodeWithQt(MakeTestPicture(16, 16), "jpg");
    bool found = true;
    ReadFromFile(dir, plain, &found);
    EXPECT_FALSE(found); // Qt writes JFIF without EXIF

    const QByteArray exif = MakeExifJpeg(MakeTestPicture(16, 16), Dated);
    // An XMP APP1 before the EXIF one; stray bytes before a marker, which libjpeg reads past.
    const QByteArray xmpFirst = InsertSegment(exif, 0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>");
    const QByteArray stray = exif.left(2) + QByteArray("junk\0\x01") + exif.mid(2);
    for (const QByteArray& jpeg : {xmpFirst, stray}) {
        const TExifRecord record = ReadFromFile(dir, jpeg, &found);
        EXPECT_TRUE(found);
        EXPECT_EQ(record.DateTimeOriginal, QStringLiteral("2003:05:11 09:08:07"));
        PictureHeader header;
        QString error;
        QBuffer in(const_cast<QByteArray*>(&jpeg));
        in.open(QIODevice::ReadOnly);
        ASSERT_TRUE(ReadJpegHeader(in, header, error)) << error.toStdString();
        EXPECT_EQ(header.width, 16);
        EXPECT_EQ(header.orientation, 6);
    }

    TExifInfo info;
    EXPECT_FALSE(info.HasExif(dir.Write("text.jpg", "not a picture at all")));
    EXPECT_FALSE(info.HasExif(dir.Write("empty.jpg", "")));
    EXPECT_FALSE(info.HasExif(dir.File("missing.jpg")));
    EXPECT_FALSE(info.HasExif(QString()));
    EXPECT_EQ(info.ReadExif().DateTime, QString()); // nothing remembered
}

TEST(Exif, MalformedBlocksKeepTheDatesOfWholeEntriesAndAlwaysEnd) {
    const QByteArray block = MakeExifBlock(Dated);
    // IFD0 at 8: orientation, date-time, the Exif directory's pointer, the next offset; then
    // the date text and the Exif directory with the shooting date.
    constexpr qsizetype ifd0 = 8;
    constexpr qsizetype dateValue = ifd0 + 2 + 12 * 1 + 8;
    constexpr qsizetype dateCount = ifd0 + 2 + 12 * 1 + 4;
    constexpr qsizetype exifPointer = ifd0 + 2 + 12 * 2 + 8;
    constexpr qsizetype nextOffset = ifd0 + 2 + 12 * 3;
    const qsizetype exifIfd = qsizetype(quint8(block[exifPointer]));
    const auto set32 = [](QByteArray b, qsizetype at, quint32 v) {
        for (int i = 0; i < 4; ++i) {
            b[at + i] = char(v >> (8 * i));
        }
        return b;
    };
    const auto set16 = [](QByteArray b, qsizetype at, quint16 v) {
        b[at] = char(v);
        b[at + 1] = char(v >> 8);
        return b;
    };
    struct Row {
        const char* what;
        QByteArray block;
        bool dateTime;
        bool original;
    };
    for (const Row& row : {
             Row{"the date's text past the end", set32(block, dateValue, 0xF000), false, true},
             Row{"a count of 2^32-1", set32(block, dateCount, 0xFFFFFFFF), false, true},
             Row{"the Exif directory is the first one (a loop)", set32(block, exifPointer, 8), true,
                 false},
             Row{"the next directory is itself", set32(block, nextOffset, 8), true, true},
             Row{"an entry count past the block", set16(block, ifd0, 40), true, true},
             Row{"the Exif directory outside", set32(block, exifPointer, 0xFFFF), true, false},
             Row{"the Exif directory empty", set16(block, exifIfd, 0), true, false},
             Row{"the Exif directory cut short", block.left(exifIfd + 8), true, false},
         }) {
        SCOPED_TRACE(row.what);
        TExifRecord record;
        EXPECT_TRUE(ParseExifBlock(row.block, record));
        EXPECT_EQ(!record.DateTime.isEmpty(), row.dateTime);
        EXPECT_EQ(!record.DateTimeOriginal.isEmpty(), row.original);
        EXPECT_EQ(record.Orientation, 6);
    }
    // Every truncation of the block ends, reading what is there.
    TExifRecord record;
    for (qsizetype n = 0; n < block.size(); ++n) {
        ParseExifBlock(block.left(n), record);
    }
    EXPECT_FALSE(ParseExifBlock(QByteArray(), record));
    EXPECT_FALSE(ParseExifBlock(block.left(9), record)); // not even a directory
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
