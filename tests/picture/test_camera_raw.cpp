// Camera RAW files LibRaw cannot develop or does not know, and the dates of TIFF-laid-out RAW
// files, made at run time.
#include "format_samples.h"
#include "picture/orientation.h"
#include "picture/picture_decoder.h"
#include "picture/picture_error.h"
#include "picture/picture_header.h"
#include "picture_fixtures.h"
#include "preview_samples.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

// The sensor's picture, 3:2, and previews of it.
QImage Sensor() {
    return MakeTestPicture(96, 64);
}

struct PreviewRow {
    const char* name;
    TiffRawOptions file;
    QSize listed;    // the facts' size; empty: refused
    int orientation; // the listed turn
    QImage expected; // what the thumbnail shows, upright
};

class RawWithoutDevelopment : public testing::TestWithParam<PreviewRow> {};

TEST_P(RawWithoutDevelopment, ShowsThePreviewWhateverItsSize) {
    const PreviewRow& row = GetParam();
    TempFolder dir;
    const QString path = dir.Write("a.nef", MakeTiffRaw(row.file));
    if (row.listed.isEmpty()) {
        try {
            DecodePictureTo(path, ReadPictureHeader(path), QSize(96, 64));
            ADD_FAILURE() << "decoded";
        } catch (const EPictureError& error) {
            EXPECT_TRUE(error.Message().contains(QStringLiteral("を読み込めません")));
        }
        return;
    }
    const PictureHeader header = ReadPictureHeader(path);
    EXPECT_EQ(QSize(header.width, header.height), row.listed);
    EXPECT_EQ(header.orientation, row.orientation);
    // Fitted into 128 x 128 as the renderer fits it: a small preview is enlarged.
    const QSize upright =
        UprightSize(row.listed, header.orientation).scaled(128, 128, Qt::KeepAspectRatio);
    const QImage shown = DecodePictureTo(path, header, upright);
    ASSERT_EQ(shown.size(), upright);
    EXPECT_LT(MeanDifference(shown, row.expected.scaled(upright, Qt::IgnoreAspectRatio,
                                                        Qt::SmoothTransformation)),
              20.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RawWithoutDevelopment,
    testing::Values(
        // LibRaw does not know the camera: the preview is the picture.
        PreviewRow{"unknown_camera_small_preview",
                   {.preview = Sensor().scaled(48, 32)},
                   {48, 32},
                   1,
                   Sensor()},
        PreviewRow{"unknown_camera_turned",
                   {.exif = {"", "", 6}, .preview = Sensor().scaled(48, 32)},
                   {48, 32},
                   6,
                   MakeUpright(Sensor(), 6)},
        PreviewRow{"unknown_camera_no_preview", {}, {}, 1, {}},
        // LibRaw reads the file but cannot develop its raw data.
        PreviewRow{"undevelopable_small_preview",
                   {.preview = Sensor().scaled(48, 32), .sensor = Sensor(), .cutShort = true},
                   {96, 64},
                   1,
                   Sensor()},
        // Cut to the picture's proportions, never squeezed: of 64 x 32, the middle 48 x 32
        // without its bars.
        PreviewRow{
            "undevelopable_preview_of_another_aspect",
            {.preview = Letterboxed(Sensor(), {64, 32}), .sensor = Sensor(), .cutShort = true},
            {96, 64},
            1,
            Sensor()},
        PreviewRow{"undevelopable_no_preview", {.sensor = Sensor(), .cutShort = true}, {}, 1, {}}),
    [](const testing::TestParamInfo<PreviewRow>& info) { return std::string(info.param.name); });

constexpr const char* Shot = "2008:08:06 15:21:56";
constexpr const char* Changed = "2009:10:11 12:13:14";

struct DateRow {
    const char* name;
    TiffRawOptions file; // a preview always, so that a file LibRaw does not read is shown
    const char* dateTime;
    const char* dateTimeOriginal;
};

class RawDates : public testing::TestWithParam<DateRow> {};

TEST_P(RawDates, AreReadWhereverTheFileKeepsThem) {
    const DateRow& row = GetParam();
    TempFolder dir;
    TiffRawOptions file = row.file;
    file.preview = Sensor().scaled(48, 32);
    const PictureHeader header = ReadPictureHeader(dir.Write("a.nef", MakeTiffRaw(file)));
    EXPECT_TRUE(header.exifSeen);
    EXPECT_EQ(header.exif.DateTime, QString::fromLatin1(row.dateTime));
    EXPECT_EQ(header.exif.DateTimeOriginal, QString::fromLatin1(row.dateTimeOriginal));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RawDates,
    testing::Values(
        DateRow{"tiff_date_time_only", {.exif = {Changed, ""}}, Changed, ""},
        DateRow{"tiff_original_only", {.exif = {"", Shot}}, "", Shot},
        DateRow{
            "tiff_both_big_endian", {.bigEndian = true, .exif = {Changed, Shot}}, Changed, Shot},
        // Read by LibRaw too, and developed: the same dates.
        DateRow{"tiff_developed", {.exif = {Changed, Shot}, .sensor = Sensor()}, Changed, Shot},
        DateRow{"rw2_date_time_only", {.magic = 0x55, .exif = {Changed, ""}}, Changed, ""},
        DateRow{"rw2_original_only", {.magic = 0x55, .exif = {"", Shot}}, "", Shot},
        DateRow{"rw2_both", {.magic = 0x55, .exif = {Changed, Shot}}, Changed, Shot},
        // Where older Panasonic cameras keep them: in the EXIF block of the JPEG they embed.
        DateRow{"rw2_in_its_jpeg",
                {.magic = 0x55, .exif = {Changed, Shot}, .inJpeg = true},
                Changed,
                Shot},
        DateRow{"orf_date_time_only", {.magic = 0x4F52, .exif = {Changed, ""}}, Changed, ""},
        DateRow{"orf_original_only", {.magic = 0x4F52, .exif = {"", Shot}}, "", Shot},
        DateRow{"orf_both_big_endian",
                {.bigEndian = true, .magic = 0x4F52, .exif = {Changed, Shot}},
                Changed,
                Shot},
        DateRow{"ors_both", {.magic = 0x5352, .exif = {Changed, Shot}}, Changed, Shot}),
    [](const testing::TestParamInfo<DateRow>& info) { return std::string(info.param.name); });

} // namespace
