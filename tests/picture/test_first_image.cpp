#include "format_samples.h"
#include "picture/first_image.h"
#include "picture/orientation.h"
#include "picture_fixtures.h"
#include "preview_samples.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <functional>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

// A 3:2 photograph as a camera stores it, and what it shows.
const QImage& Photo() {
    static const QImage photo = MakeTestPicture(480, 320);
    return photo;
}
QByteArray PhotoJpeg(int orientation = 0) {
    return MakeExifJpeg(Photo(), {"2003:05:12 10:20:30", "", orientation});
}
QByteArray Jpeg(const QImage& image) {
    return EncodeWithQt(image, "jpg", 90);
}
QByteArray Cut(const QByteArray& bytes) {
    return bytes.left(bytes.size() * 3 / 5);
}

struct FileRow {
    const char* name;
    const char* file;
    std::function<QByteArray()> make;
    QSize cover;
    TFirstImageRefusal refusal;
    QSize taken;         // the first image's size when taken
    int orientation = 1; // the turn that makes the photograph's content upright
};

class FirstImageFile : public testing::TestWithParam<FileRow> {};

TEST_P(FirstImageFile, GivesTheFileOwnImageUprightOrRefuses) {
    const FileRow& row = GetParam();
    TempFolder dir;
    const QString path = dir.Write(row.file, row.make());
    const TFirstImage first = ReadFirstImage(path, row.cover);
    EXPECT_EQ(first.Refusal, row.refusal) << first.Reason.toStdString();
    EXPECT_EQ(first.Picture.isNull() ? QSize() : first.Picture.size(), row.taken);
    EXPECT_EQ(first.Reason.isEmpty(), row.refusal == TFirstImageRefusal::None);
    if (!first.Picture.isNull()) {
        // Turned as the photograph is, its bars gone: it looks like the photograph.
        const QImage expected =
            MakeUpright(Photo(), row.orientation)
                .scaled(first.Picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(MeanDifference(first.Picture.convertToFormat(QImage::Format_RGB32),
                                 expected.convertToFormat(QImage::Format_RGB32)),
                  24.0);
    }
}

const QSize NoCover;

INSTANTIATE_TEST_SUITE_P(
    Heif, FirstImageFile,
    testing::Values(FileRow{"thumbnail_item",
                            "a.heic",
                            [] { return MakeHeif(Photo(), {.thumbnail = 240}); },
                            NoCover,
                            TFirstImageRefusal::None,
                            {240, 160}},
                    FileRow{"no_thumbnail_item",
                            "a.heic",
                            [] { return MakeHeif(Photo(), {}); },
                            NoCover,
                            TFirstImageRefusal::NoOwnImage,
                            {}},
                    FileRow{"turned",
                            "a.heic",
                            [] {
                                return MakeHeifWithLibheif(
                                    Photo(),
                                    {.orientation = 6, .thumbnail = Photo().scaled(240, 160)});
                            },
                            NoCover,
                            TFirstImageRefusal::None,
                            {160, 240},
                            6},
                    FileRow{"thumbnail_of_another_aspect",
                            "a.heic",
                            [] {
                                return MakeHeifWithLibheif(
                                    Photo(),
                                    {.thumbnail = Photo().scaled(160, 160), .thumbnailAsIs = true});
                            },
                            NoCover,
                            TFirstImageRefusal::AspectDiffers,
                            {}},
                    FileRow{"letterboxed_thumbnail",
                            "a.heic",
                            [] {
                                return MakeHeifWithLibheif(
                                    Photo(), {.thumbnail = Letterboxed(Photo(), {160, 120}),
                                              .thumbnailAsIs = true});
                            },
                            NoCover,
                            TFirstImageRefusal::None,
                            {160, 107}}),
    [](const testing::TestParamInfo<FileRow>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Jpeg, FirstImageFile,
    testing::Values(
        FileRow{"exif_thumbnail",
                "a.jpg",
                [] { return WithExifThumbnail(PhotoJpeg(), Jpeg(Photo().scaled(160, 107))); },
                NoCover,
                TFirstImageRefusal::None,
                {160, 107}},
        FileRow{"turned_exif_thumbnail",
                "a.jpg",
                [] { return WithExifThumbnail(PhotoJpeg(6), Jpeg(Photo().scaled(160, 107))); },
                NoCover,
                TFirstImageRefusal::None,
                {107, 160},
                6},
        FileRow{"letterboxed_exif_thumbnail",
                "a.jpg",
                [] {
                    return WithExifThumbnail(PhotoJpeg(), Jpeg(Letterboxed(Photo(), {160, 120})));
                },
                NoCover,
                TFirstImageRefusal::None,
                {160, 107}},
        FileRow{"bars_of_another_crop",
                "a.jpg",
                [] {
                    return WithExifThumbnail(
                        PhotoJpeg(), Jpeg(Letterboxed(Photo().scaled(160, 90), {160, 120})));
                },
                NoCover,
                TFirstImageRefusal::NotCroppable,
                {}},
        FileRow{"square_exif_thumbnail",
                "a.jpg",
                [] { return WithExifThumbnail(PhotoJpeg(), Jpeg(Photo().scaled(120, 120))); },
                NoCover,
                TFirstImageRefusal::AspectDiffers,
                {}},
        FileRow{"cut_exif_thumbnail",
                "a.jpg",
                [] { return WithExifThumbnail(PhotoJpeg(), Cut(Jpeg(Photo().scaled(160, 107)))); },
                NoCover,
                TFirstImageRefusal::Damaged,
                {}},
        FileRow{"no_thumbnail",
                "a.jpg",
                [] { return PhotoJpeg(); },
                NoCover,
                TFirstImageRefusal::NoOwnImage,
                {}},
        FileRow{"mpf_preview",
                "a.jpg",
                [] { return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 160))); },
                NoCover,
                TFirstImageRefusal::None,
                {240, 160}},
        FileRow{"mpf_preview_at_dct_scale",
                "a.jpg",
                [] { return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 160))); },
                QSize(55, 36),
                TFirstImageRefusal::None,
                {60, 40}},
        FileRow{"turned_mpf_preview",
                "a.jpg",
                [] { return MakeMpfJpeg(PhotoJpeg(6), Jpeg(Photo().scaled(240, 160))); },
                NoCover,
                TFirstImageRefusal::None,
                {160, 240},
                6},
        FileRow{"mpf_preview_of_another_aspect",
                "a.jpg",
                [] { return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 120))); },
                NoCover,
                TFirstImageRefusal::AspectDiffers,
                {}},
        FileRow{"mpf_offset_outside_the_file",
                "a.jpg",
                [] {
                    return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 160)),
                                       {.offset = 0x7FFFFFF0});
                },
                NoCover,
                TFirstImageRefusal::NoOwnImage,
                {}},
        FileRow{"mpf_offset_into_the_main_picture",
                "a.jpg",
                [] {
                    return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 160)),
                                       {.offset = 200});
                },
                NoCover,
                TFirstImageRefusal::NoOwnImage,
                {}},
        FileRow{"mpf_hostile_size",
                "a.jpg",
                [] {
                    return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 160)),
                                       {.size = 0xFFFFFFF0});
                },
                NoCover,
                TFirstImageRefusal::NoOwnImage,
                {}},
        FileRow{"mpf_cut_preview",
                "a.jpg",
                [] {
                    const QByteArray preview = Jpeg(Photo().scaled(240, 160));
                    return MakeMpfJpeg(PhotoJpeg(), Cut(preview), {.size = preview.size()});
                },
                NoCover,
                TFirstImageRefusal::NoOwnImage,
                {}},
        FileRow{"mpf_not_a_preview",
                "a.jpg",
                [] {
                    return MakeMpfJpeg(PhotoJpeg(), Jpeg(Photo().scaled(240, 160)),
                                       {.attribute = 0x020002}); // a stereo view of its own
                },
                NoCover,
                TFirstImageRefusal::NoOwnImage,
                {}}),
    [](const testing::TestParamInfo<FileRow>& info) { return std::string(info.param.name); });

// Of several, the smallest that covers the cell, else the largest.
INSTANTIATE_TEST_SUITE_P(
    Choice, FirstImageFile,
    testing::Values(FileRow{"small_cell_takes_the_exif_thumbnail",
                            "a.jpg",
                            [] {
                                return MakeMpfJpeg(
                                    WithExifThumbnail(PhotoJpeg(), Jpeg(Photo().scaled(120, 80))),
                                    Jpeg(Photo().scaled(240, 160)));
                            },
                            QSize(100, 66),
                            TFirstImageRefusal::None,
                            {105, 70}},
                    FileRow{"larger_cell_takes_the_preview",
                            "a.jpg",
                            [] {
                                return MakeMpfJpeg(
                                    WithExifThumbnail(PhotoJpeg(), Jpeg(Photo().scaled(120, 80))),
                                    Jpeg(Photo().scaled(240, 160)));
                            },
                            QSize(150, 100),
                            TFirstImageRefusal::None,
                            {150, 100}},
                    FileRow{"no_cell_takes_the_largest",
                            "a.jpg",
                            [] {
                                return MakeMpfJpeg(
                                    WithExifThumbnail(PhotoJpeg(), Jpeg(Photo().scaled(120, 80))),
                                    Jpeg(Photo().scaled(240, 160)));
                            },
                            NoCover,
                            TFirstImageRefusal::None,
                            {240, 160}},
                    FileRow{"damaged_largest_gives_the_next",
                            "a.jpg",
                            [] {
                                return MakeMpfJpeg(
                                    WithExifThumbnail(PhotoJpeg(), Jpeg(Photo().scaled(120, 80))),
                                    Cut(Jpeg(Photo().scaled(240, 160))));
                            },
                            NoCover,
                            TFirstImageRefusal::None,
                            {120, 80}},
                    FileRow{"camera_raw_preview",
                            "a.dng",
                            [] { return MakeDng(Photo().scaled(96, 64), {.preview = Photo()}); },
                            NoCover,
                            TFirstImageRefusal::None,
                            {480, 320}},
                    FileRow{"png",
                            "a.png",
                            [] { return EncodeWithQt(Photo(), "png"); },
                            NoCover,
                            TFirstImageRefusal::NoOwnImage,
                            {}},
                    FileRow{"not_a_picture",
                            "a.jpg",
                            [] { return QByteArray("not a picture"); },
                            NoCover,
                            TFirstImageRefusal::Damaged,
                            {}}),
    [](const testing::TestParamInfo<FileRow>& info) { return std::string(info.param.name); });

} // namespace
