#include "cache/th_render.h"
#include "format_samples.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/volume_info.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>
#include <utime.h>

using namespace mirte;
using namespace mirte::test;

TEST(ThRender, FactsKeepTheStoredSizeWhileTheThumbnailStandsUpright) {
    TempFolder dir;
    const QImage picture = MakeTestPicture(160, 120);
    const ExifFields exif = {"2003:05:12 10:20:30", "2003:05:11 09:08:07", 6};
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"phone.jpg", MakeExifJpeg(picture, exif)},
        {"phone.heic", MakeHeifWithLibheif(picture, {.orientation = 6, .exif = exif})},
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
        TPictureFacts info;
        ASSERT_TRUE(ReadPictureFacts(path, ReadPictureHeader(path), info));
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
        const TRenderedPicture made = RenderPicture(path, QSize(96, 96), true);
        EXPECT_EQ(made.Thumbnail.size(), QSize(72, 96));
        EXPECT_EQ(made.Facts.CreateTime, info.CreateTime);
        EXPECT_FALSE(made.Stored.isEmpty());
    }
}

TEST(ThRender, APictureWithoutExifHasEmptyDates) {
    TempFolder dir;
    const QString path = dir.Write("plain.jpg", EncodeWithQt(MakeTestPicture(10, 10), "jpg"));
    TPictureFacts info;
    ASSERT_TRUE(ReadPictureFacts(path, ReadPictureHeader(path), info));
    EXPECT_TRUE(info.CreateTime.isEmpty());
    EXPECT_TRUE(info.UpdateTime.isEmpty());
    EXPECT_FALSE(info.FileTime.isEmpty());
}

TEST(ThRender, AFailureSaysWhyAndKeepsNothing) {
    TempFolder dir;
    const QString path = dir.Write("bad.jpg", "not a picture");
    const struct {
        QString path;
        QSize box;
        const char* reason;
    } rows[] = {
        {path, {96, 96}, "を読み込めません"},
        {dir.File("vanished.jpg"), {96, 96}, "を読み込めません"},
        {dir.Write("good.jpg", EncodeWithQt(MakeTestPicture(20, 10), "jpg")),
         {0, 0},
         "枠サイズ(0 x 0)"},
    };
    for (const auto& row : rows) {
        const TRenderedPicture made = RenderPicture(row.path, row.box, true);
        EXPECT_TRUE(made.Thumbnail.isNull());
        EXPECT_FALSE(made.FactsRead);
        EXPECT_TRUE(made.Stored.isEmpty());
        EXPECT_TRUE(made.Error.contains(QString::fromUtf8(row.reason))) << made.Error.toStdString();
    }
}
