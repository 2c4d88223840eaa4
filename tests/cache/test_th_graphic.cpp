#include "cache/th_graphic.h"
#include "format_samples.h"
#include "picture/picture_error.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/errors.h"
#include "util/file_facts.h"
#include "util/volume_info.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>
#include <utime.h>

using namespace mirte;
using namespace mirte::test;

namespace {

TThGraphic Renderer(int w, int h) {
    TThGraphic graphic;
    graphic.SetFrameWidth(w);
    graphic.SetFrameHeight(h);
    return graphic;
}

} // namespace

TEST(ThGraphic, DecodesAFileOnceForItsFactsAndItsThumbnail) {
    TempFolder dir;
    const QString a = dir.Write("a.jpg", EncodeWithQt(MakeTestPicture(160, 120), "jpg"));
    const QString b = dir.Write("b.png", EncodeWithQt(MakeTestPicture(120, 160), "png"));
    TThGraphic graphic = Renderer(96, 96);
    TImageInfo info;
    ASSERT_TRUE(graphic.GetImageInfo(a, info));
    EXPECT_EQ(graphic.DecodeCount(), 0); // the facts come from the header
    ASSERT_TRUE(graphic.MakeThumbnail(a));
    ASSERT_TRUE(graphic.MakeThumbnail(a));
    ASSERT_TRUE(graphic.GetImageInfo(a, info));
    EXPECT_EQ(graphic.DecodeCount(), 1);
    EXPECT_EQ(graphic.Thumbnail().size(), QSize(96, 72));
    ASSERT_TRUE(graphic.MakeThumbnail(b));
    EXPECT_EQ(graphic.Thumbnail().size(), QSize(72, 96));
    ASSERT_TRUE(graphic.MakeThumbnail(a));
    EXPECT_EQ(graphic.DecodeCount(), 3);
    graphic.SetFrameWidth(48); // another box makes another thumbnail
    ASSERT_TRUE(graphic.MakeThumbnail(a));
    EXPECT_EQ(graphic.Thumbnail().size(), QSize(48, 36));
    EXPECT_FALSE(graphic.MakeThumbnail(QString()));
}

TEST(ThGraphic, ARewrittenFileIsReadAgain) {
    TempFolder dir;
    const QString path = dir.Write("edit.jpg", EncodeWithQt(MakeTestPicture(160, 120), "jpg"));
    TThGraphic graphic = Renderer(96, 96);
    ASSERT_TRUE(graphic.MakeThumbnail(path));
    EXPECT_EQ(graphic.Thumbnail().size(), QSize(96, 72));
    dir.Write("edit.jpg", EncodeWithQt(MakeTestPicture(120, 160), "jpg")); // edited in place
    ASSERT_TRUE(graphic.MakeThumbnail(path));
    EXPECT_EQ(graphic.Thumbnail().size(), QSize(72, 96));
    EXPECT_EQ(graphic.DecodeCount(), 2);
}

TEST(ThGraphic, FactsKeepTheStoredSizeWhileTheThumbnailStandsUpright) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(160, 120);
    const ExifFields exif = {"2003:05:12 10:20:30", "2003:05:11 09:08:07", 6};
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"phone.jpg", MakeExifJpeg(picture, exif)},
        {"phone.heic", MakeHeifWithLibheif(picture, 6, {}, exif)},
        {"web.webp", MakeWebp(picture, {.exif = exif})},
        {"camera.dng", MakeDng(picture, {.preview = picture, .exif = exif, .orientation = 6})},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const QString path = dir.Write(file.name, file.bytes);
        utimbuf times{};
        times.actime = times.modtime =
            QDateTime(QDate(2004, 1, 2), QTime(9, 5, 7)).toSecsSinceEpoch();
        ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
        TThGraphic graphic = Renderer(96, 96);
        TImageInfo info;
        ASSERT_TRUE(graphic.GetImageInfo(path, info));
        EXPECT_EQ(info.Width, 160);
        EXPECT_EQ(info.Height, 120);
        EXPECT_EQ(info.CreateTime, QStringLiteral("2003/05/11 09:08:07"));
        EXPECT_EQ(info.UpdateTime, QStringLiteral("2003/05/12 10:20:30"));
        EXPECT_EQ(info.FileTime, QStringLiteral("2004/01/02 09:05:07"));
        EXPECT_EQ(info.FileSize, QFile(path).size());
        QString label, serial;
        GetVolumeInfo(path, label, serial);
        EXPECT_EQ(info.VolSer, serial);
        EXPECT_EQ(info.VolLabel, label);
        ASSERT_TRUE(graphic.MakeThumbnail(path));
        EXPECT_EQ(graphic.Thumbnail().size(), QSize(72, 96));
    }
}

TEST(ThGraphic, APictureWithoutExifHasEmptyDates) {
    TempFolder dir;
    TThGraphic graphic = Renderer(96, 96);
    TImageInfo info;
    ASSERT_TRUE(graphic.GetImageInfo(
        dir.Write("plain.jpg", EncodeWithQt(MakeTestPicture(10, 10), "jpg")), info));
    EXPECT_TRUE(info.CreateTime.isEmpty());
    EXPECT_TRUE(info.UpdateTime.isEmpty());
    EXPECT_FALSE(info.FileTime.isEmpty());
}

TEST(ThGraphic, AFailureKeepsNothingAndTheNextTryReadsAgain) {
    TempFolder dir;
    const QString path = dir.Write("bad.jpg", "not a picture");
    TThGraphic graphic = Renderer(96, 96);
    EXPECT_THROW(graphic.MakeThumbnail(path), EPictureError);
    EXPECT_TRUE(graphic.LoadedFileName().isEmpty());
    dir.Write("bad.jpg", EncodeWithQt(MakeTestPicture(20, 10), "jpg"));
    EXPECT_TRUE(graphic.MakeThumbnail(path));
    EXPECT_EQ(graphic.Thumbnail().size(), QSize(96, 48));
    EXPECT_THROW(graphic.MakeThumbnail(dir.File("vanished.jpg")), EPictureError);
    TThGraphic noFrame;
    EXPECT_THROW(noFrame.MakeThumbnail(path), ECacheError);
}
