#include "picture/picture_error.h"
#include "picture/stored_thumbnail.h"
#include "picture_fixtures.h"
#include "support/temp_folder.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

// Lines of one-pixel black strokes on white, like small print in a scan or a screenshot: what
// JPEG rings around first.
QImage MakeTextPicture() {
    QImage image(512, 384, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    unsigned shape = 12345;
    for (int y = 4; y + 10 < 384; y += 16) {
        for (int x = 4; x + 6 < 512; x += 8) {
            shape = shape * 1103515245u + 12345u;
            for (int stroke = 0; stroke < 4; ++stroke) {
                switch ((shape >> (8 + 3 * stroke)) & 7) {
                case 0:
                    painter.drawLine(x, y, x, y + 9);
                    break;
                case 1:
                    painter.drawLine(x + 5, y, x + 5, y + 9);
                    break;
                case 2:
                    painter.drawLine(x, y, x + 5, y);
                    break;
                case 3:
                    painter.drawLine(x, y + 5, x + 5, y + 5);
                    break;
                case 4:
                    painter.drawLine(x, y + 9, x + 5, y + 9);
                    break;
                case 5:
                    painter.drawLine(x, y + 9, x + 5, y);
                    break;
                default:
                    break;
                }
            }
        }
    }
    painter.setPen(Qt::red);
    painter.drawLine(0, 200, 511, 210);
    return image;
}

class StoredThumbnail : public ::testing::Test {
protected:
    QString Store(const QString& name, const QImage& image) {
        return folder.Write(name, EncodeStoredThumbnail(image));
    }
    TempFolder folder;
};

} // namespace

TEST_F(StoredThumbnail, ComesBackVisuallyLosslessInEveryImageFormatTheCacheMeets) {
    const QImage text = MakeTextPicture();
    for (const QImage& image :
         {MakeTestPicture(512, 384), text, text.convertToFormat(QImage::Format_BGR888),
          text.convertToFormat(QImage::Format_RGB32),
          text.convertToFormat(QImage::Format_ARGB32)}) {
        SCOPED_TRACE(image.format());
        QImage read;
        ASSERT_TRUE(ReadStoredThumbnail(Store("a.jpg", image), QSize(), read));
        EXPECT_GE(Psnr(image, read), 40.0);
    }
}

TEST_F(StoredThumbnail, IsReadAtTheSmallestScaleThatCoversItsFitInTheBox) {
    const QString wide = Store("wide.jpg", MakeTestPicture(512, 384));
    const QString tall = Store("tall.jpg", MakeTestPicture(384, 512));
    struct Row {
        QString path;
        QSize box;
        QSize read;
    };
    for (const Row& row : {Row{wide, {}, {512, 384}}, Row{wide, {600, 600}, {512, 384}},
                           Row{wide, {256, 256}, {256, 192}}, Row{wide, {128, 128}, {128, 96}},
                           Row{wide, {96, 96}, {128, 96}}, Row{wide, {160, 160}, {192, 144}},
                           Row{wide, {64, 64}, {64, 48}}, Row{wide, {128, 20}, {64, 48}},
                           Row{tall, {128, 128}, {96, 128}}}) {
        SCOPED_TRACE(row.box.width());
        QImage read;
        ASSERT_TRUE(ReadStoredThumbnail(row.path, row.box, read));
        EXPECT_EQ(read.size(), row.read);
    }
}

TEST_F(StoredThumbnail, IsReadIntoTheCallersOwnMemoryWhenItFits) {
    const QString path = Store("a.jpg", MakeTestPicture(64, 48));
    QImage image;
    ASSERT_TRUE(ReadStoredThumbnail(path, QSize(), image));
    const uchar* memory = image.constBits();
    ASSERT_TRUE(ReadStoredThumbnail(path, QSize(), image));
    EXPECT_EQ(image.constBits(), memory);
    const QImage shared = image; // someone still holds it: a new image, the old one untouched
    ASSERT_TRUE(ReadStoredThumbnail(path, QSize(), image));
    EXPECT_NE(image.constBits(), shared.constBits());
}

TEST_F(StoredThumbnail, AMissingFileIsFalseAndADamagedOneRaises) {
    QImage image;
    EXPECT_FALSE(ReadStoredThumbnail(folder.File("none.jpg"), QSize(), image));
    const QByteArray whole = EncodeStoredThumbnail(MakeTestPicture(64, 48));
    QByteArray flipped = whole;
    flipped[flipped.size() / 2] = char(0xff); // an end marker in the middle of the scan
    flipped[flipped.size() / 2 + 1] = char(0xd9);
    for (const QByteArray& damaged :
         {QByteArray(), QByteArray("BM not a jpeg"), whole.left(whole.size() / 2),
          whole.left(whole.size() - 2), flipped, EncodeWithQt(MakeTestPicture(8, 8), "png")}) {
        SCOPED_TRACE(damaged.size());
        EXPECT_THROW(ReadStoredThumbnail(folder.Write("bad.jpg", damaged), QSize(), image),
                     EPictureError);
    }
    EXPECT_THROW(ReadStoredThumbnail(folder.MakeDir("dir.jpg"), QSize(), image), EPictureError);
    EXPECT_THROW(EncodeStoredThumbnail(QImage()), EPictureError);
}

TEST_F(StoredThumbnail, NothingLargerThanTheStoreWritesIsWrittenOrRead) {
    // A frame that claims 64008 x 52742 pixels over a few bytes of scan, as a fuzzer made it.
    QByteArray huge = EncodeStoredThumbnail(MakeTestPicture(16, 16));
    const qsizetype frame = huge.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    huge.replace(frame + 5, 4, QByteArray("\xce\x06\xfa\x08", 4));
    const QByteArray wide = EncodeWithQt(MakeTestPicture(MaxStoredSide + 1, 40), "jpg", 90);
    for (const QByteArray& bytes : {huge, wide}) {
        for (const QSize box : {QSize(), QSize(96, 96)}) {
            QImage image;
            QString error;
            EXPECT_FALSE(DecodeStoredThumbnail(bytes, box, image, error)) << bytes.size();
            EXPECT_TRUE(image.isNull());
        }
    }
    QImage image;
    QString error;
    EXPECT_TRUE(DecodeStoredThumbnail(EncodeStoredThumbnail(MakeTestPicture(MaxStoredSide, 8)),
                                      QSize(), image, error));
    EXPECT_THROW(EncodeStoredThumbnail(MakeTestPicture(8, MaxStoredSide + 1)), EPictureError);
}
