#include "picture/first_image_match.h"
#include "support/gtest_qt.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace mirte;

namespace {

// A bright picture between bars of `bars` rows (or columns) at each end.
QImage Barred(QSize size, int first, int second, bool rows, QRgb bar = qRgb(0, 0, 0)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(200, 120, 60));
    const int side = rows ? size.height() : size.width();
    for (int i = 0; i < side; ++i) {
        if (i < first || i >= side - second) {
            for (int j = 0; j < (rows ? size.width() : size.height()); ++j) {
                image.setPixel(rows ? j : i, rows ? i : j, bar);
            }
        }
    }
    return image;
}

// A night picture: every pixel dark, but its shadows vary as a photograph's do.
QImage Dark(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int v = int(random.bounded(36));
            image.setPixel(x, y, qRgb(v, v, v + 4));
        }
    }
    return image;
}

struct MatchRow {
    const char* name;
    QImage candidate;
    QSize picture;
    TFirstImageRefusal refusal;
    QSize taken; // the first image's size when taken
};

class FirstImageMatch : public testing::TestWithParam<MatchRow> {};

TEST_P(FirstImageMatch, TakesCropsOrRefuses) {
    const MatchRow& row = GetParam();
    const TFirstImage first = MatchFirstImage(row.candidate, row.picture);
    EXPECT_EQ(first.Refusal, row.refusal);
    EXPECT_EQ(first.Picture.isNull() ? QSize() : first.Picture.size(), row.taken);
    EXPECT_EQ(first.Reason.isEmpty(), row.refusal == TFirstImageRefusal::None);
}

const QImage Plain = Barred({150, 100}, 0, 0, true);

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstImageMatch,
    testing::Values(
        MatchRow{"same_aspect", Plain, {3000, 2000}, TFirstImageRefusal::None, {150, 100}},
        MatchRow{"within_one_percent",
                 Barred({151, 100}, 0, 0, true),
                 {3000, 2000},
                 TFirstImageRefusal::None,
                 {151, 100}},
        MatchRow{"two_percent_off",
                 Barred({153, 100}, 0, 0, true),
                 {3000, 2000},
                 TFirstImageRefusal::AspectDiffers,
                 {}},
        MatchRow{"turned_picture", Plain, {2000, 3000}, TFirstImageRefusal::AspectDiffers, {}},
        MatchRow{"letterboxed",
                 Barred({160, 120}, 7, 6, true),
                 {3000, 2000},
                 TFirstImageRefusal::None,
                 {160, 107}},
        MatchRow{"near_black_bars",
                 Barred({160, 120}, 6, 7, true, qRgb(14, 12, 16)),
                 {3000, 2000},
                 TFirstImageRefusal::None,
                 {160, 107}},
        MatchRow{"pillarboxed",
                 Barred({160, 120}, 20, 20, false),
                 {1000, 1000},
                 TFirstImageRefusal::None,
                 {120, 120}},
        MatchRow{"bars_of_another_crop",
                 Barred({160, 120}, 15, 15, true),
                 {3000, 2000},
                 TFirstImageRefusal::NotCroppable,
                 {}},
        MatchRow{"bar_at_top_only",
                 Barred({160, 120}, 13, 0, true),
                 {3000, 2000},
                 TFirstImageRefusal::AspectDiffers,
                 {}},
        MatchRow{"lopsided_bars",
                 Barred({160, 120}, 11, 2, true),
                 {3000, 2000},
                 TFirstImageRefusal::AspectDiffers,
                 {}},
        MatchRow{"grey_bars",
                 Barred({160, 120}, 7, 6, true, qRgb(128, 128, 128)),
                 {3000, 2000},
                 TFirstImageRefusal::AspectDiffers,
                 {}},
        MatchRow{"dark_photo_other_aspect",
                 Dark({160, 120}),
                 {3000, 2000},
                 TFirstImageRefusal::AspectDiffers,
                 {}},
        MatchRow{"dark_photo_same_aspect",
                 Dark({150, 100}),
                 {3000, 2000},
                 TFirstImageRefusal::None,
                 {150, 100}},
        MatchRow{"nothing_decoded", QImage(), {3000, 2000}, TFirstImageRefusal::Damaged, {}}),
    [](const testing::TestParamInfo<MatchRow>& info) { return std::string(info.param.name); });

struct OrderRow {
    const char* name;
    QSize cover;
    std::vector<int> order;
};

class FirstImageOrder : public testing::TestWithParam<OrderRow> {};

// An EXIF thumbnail, a letterboxed one, an MPF preview, of a 3:2 picture.
TEST_P(FirstImageOrder, SmallestCoveringFirstElseLargest) {
    const std::vector<QSize> sizes{{320, 213}, {160, 120}, {1920, 1280}};
    EXPECT_EQ(CandidateOrder(sizes, {6000, 4000}, GetParam().cover), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstImageOrder,
    testing::Values(OrderRow{"small_cell", {100, 67}, {1, 0, 2}},
                    OrderRow{"cell_beyond_the_letterboxed", {300, 200}, {0, 2, 1}},
                    OrderRow{"cell_beyond_thumbnails", {400, 267}, {2, 0, 1}},
                    OrderRow{"beyond_everything", {4000, 4000}, {2, 0, 1}},
                    OrderRow{"no_cover", {}, {2, 0, 1}}),
    [](const testing::TestParamInfo<OrderRow>& info) { return std::string(info.param.name); });

struct DecodeRow {
    const char* name;
    QSize candidate;
    QSize cover;
    QSize decodeAt;
};

class FirstImageDecodeCover : public testing::TestWithParam<DecodeRow> {};

TEST_P(FirstImageDecodeCover, ContentStillCoversTheCell) {
    EXPECT_EQ(DecodeCover(GetParam().candidate, {3000, 2000}, GetParam().cover),
              GetParam().decodeAt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FirstImageDecodeCover,
    testing::Values(DecodeRow{"quarter", {1920, 1280}, {480, 320}, {480, 320}},
                    DecodeRow{"letterboxed_by_its_content", {320, 240}, {160, 110}, {166, 124}},
                    DecodeRow{"cover_larger", {480, 320}, {1000, 667}, {480, 320}},
                    DecodeRow{"no_cover", {480, 320}, {}, {480, 320}}),
    [](const testing::TestParamInfo<DecodeRow>& info) { return std::string(info.param.name); });

} // namespace
