// HEIF pictures with a clean aperture ('clap'): listed, decoded and shown by their first image
// as libheif crops them.
#include "format_samples.h"
#include "picture/first_image.h"
#include "picture/orientation.h"
#include "picture/picture_decoder.h"
#include "picture/picture_error.h"
#include "picture/picture_header.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

// Red, blue / green, yellow quadrants, so that every part of a crop and of a turn shows.
QImage Quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = width / 2;
    const int h = height / 2;
    painter.fillRect(0, 0, w, h, QColor(220, 30, 30));
    painter.fillRect(w, 0, width - w, h, QColor(30, 30, 220));
    painter.fillRect(0, h, w, height - h, QColor(30, 200, 30));
    painter.fillRect(w, h, width - w, height - h, QColor(230, 220, 30));
    return image;
}

double Difference(const QImage& shown, const QImage& expected) {
    return MeanDifference(
        shown.convertToFormat(QImage::Format_RGB32),
        expected.convertToFormat(QImage::Format_RGB32)
            .scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

struct CropRow {
    const char* name;
    QByteArray clap;        // empty: none
    int orientation = 1;    // the file's own turn (irot/imir), by libheif's encoder
    bool cropFirst = false; // the crop before the turn in the item's properties
    QSize listed;           // the facts' size: cropped, before the turn; empty: refused
    QRect kept;             // the part of the coded 64 x 100 picture that shows
};

class HeifCleanAperture : public testing::TestWithParam<CropRow> {};

TEST_P(HeifCleanAperture, IsListedAndDecodedAsLibheifCropsIt) {
    const CropRow& row = GetParam();
    TempFolder dir;
    const QImage coded = Quadrants(64, 100);
    QByteArray heif = MakeHeifWithLibheif(coded, {.orientation = row.orientation});
    if (!row.clap.isEmpty()) {
        heif = AddHeifProperty(heif, row.clap, false, row.cropFirst);
    }
    const QString path = dir.Write("a.heic", heif);
    if (row.listed.isEmpty()) {
        EXPECT_THROW(ReadPictureHeader(path), EPictureError);
        return;
    }
    const PictureHeader header = ReadPictureHeader(path);
    EXPECT_EQ(QSize(header.width, header.height), row.listed);
    const QSize upright = UprightSize(row.listed, header.orientation);
    const QImage shown = DecodePictureTo(path, header, upright);
    ASSERT_EQ(shown.size(), upright);
    EXPECT_LT(Difference(shown, MakeUpright(coded.copy(row.kept), row.orientation)), 12.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeifCleanAperture,
    testing::Values(
        CropRow{"none", {}, 1, false, {64, 100}, {0, 0, 64, 100}},
        CropRow{"left_part",
                CleanApertureBox(58, 200, -35, 0, 2),
                1,
                false,
                {29, 100},
                {0, 0, 29, 100}},
        CropRow{"right_part",
                CleanApertureBox(58, 200, 35, 0, 2),
                1,
                false,
                {29, 100},
                {35, 0, 29, 100}},
        // The start rounded toward zero: 17.5 gives column 17.
        CropRow{"odd_width_centred",
                CleanApertureBox(29, 100, 0, 0),
                1,
                false,
                {29, 100},
                {17, 0, 29, 100}},
        CropRow{"half_pixel_width",
                CleanApertureBox(59, 200, 0, 0, 2),
                1,
                false,
                {30, 100},
                {17, 0, 30, 100}},
        CropRow{"top_left_quadrant",
                CleanApertureBox(32, 50, -16, -25),
                1,
                false,
                {32, 50},
                {0, 0, 32, 50}},
        // Past the picture's edge: what is left of it.
        CropRow{"beyond_the_right_edge",
                CleanApertureBox(20, 100, 30, 0),
                1,
                false,
                {12, 100},
                {52, 0, 12, 100}},
        // Listed before the turn, as other formats are.
        CropRow{"cropped_then_turned",
                CleanApertureBox(32, 50, 16, 25),
                6,
                true,
                {32, 50},
                {32, 50, 32, 50}},
        // After the turn the crop is taken on the turned picture: its upper left quarter.
        CropRow{"turned_then_cropped",
                CleanApertureBox(50, 32, -25, -16),
                6,
                false,
                {32, 50},
                {0, 50, 32, 50}},
        CropRow{"nothing_left", CleanApertureBox(0, 100, 0, 0), 1, false, {}, {}}),
    [](const testing::TestParamInfo<CropRow>& info) { return std::string(info.param.name); });

struct ThumbnailRow {
    const char* name;
    QByteArray thumbnailClap; // empty: the thumbnail shows the whole coded picture
    TFirstImageRefusal refusal;
    QSize taken; // the first image's size when taken
};

class HeifCroppedThumbnail : public testing::TestWithParam<ThumbnailRow> {};

// The primary picture, 128 x 192, shows its left half; its 64 x 96 thumbnail item is taken only
// where it shows the same.
TEST_P(HeifCroppedThumbnail, ShowsThePicturesCropOrIsLeftAlone) {
    const ThumbnailRow& row = GetParam();
    TempFolder dir;
    const QImage coded = Quadrants(128, 192);
    QByteArray heif = MakeHeifWithLibheif(coded, {.thumbnail = coded.scaled(64, 96)});
    heif = AddHeifProperty(heif, CleanApertureBox(64, 192, -32, 0));
    if (!row.thumbnailClap.isEmpty()) {
        heif = AddHeifProperty(heif, row.thumbnailClap, true);
    }
    const QString path = dir.Write("a.heic", heif);
    const QImage expected = coded.copy(0, 0, 64, 192);

    const TFirstImage first = ReadFirstImage(path, QSize());
    EXPECT_EQ(first.Refusal, row.refusal) << first.Reason.toStdString();
    EXPECT_EQ(first.Picture.isNull() ? QSize() : first.Picture.size(), row.taken);
    if (!first.Picture.isNull()) {
        EXPECT_LT(Difference(first.Picture, expected), 16.0);
    }
    // A thumbnail covers this size; it is decoded only when it shows the picture's crop.
    const PictureHeader header = ReadPictureHeader(path);
    ASSERT_EQ(QSize(header.width, header.height), QSize(64, 192));
    const QImage shown = DecodePictureTo(path, header, {30, 90});
    ASSERT_EQ(shown.size(), QSize(30, 90));
    EXPECT_LT(Difference(shown, expected), 16.0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HeifCroppedThumbnail,
    testing::Values(ThumbnailRow{"cropped_alike",
                                 CleanApertureBox(32, 96, -16, 0),
                                 TFirstImageRefusal::None,
                                 {32, 96}},
                    ThumbnailRow{"uncropped", {}, TFirstImageRefusal::AspectDiffers, {}}),
    [](const testing::TestParamInfo<ThumbnailRow>& info) { return std::string(info.param.name); });

} // namespace
