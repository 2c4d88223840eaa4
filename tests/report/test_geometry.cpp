#include "report/geometry.h"
#include "support/gtest_qt.h"

#include <gtest/gtest.h>

using namespace mirte;

TEST(Geometry, FitToRectRoundsAndCentres) {
    EXPECT_EQ(FitToRect(640, 480, {0, 0, 100, 100}),
              (TReportRect{0, 12, 100, 87})); // top 12.5 -> 12
    EXPECT_EQ(FitToRect(480, 640, {10, 20, 110, 120}), (TReportRect{22, 20, 97, 120}));
    EXPECT_EQ(FitToRect(50, 40, {0, 0, 96, 96}), (TReportRect{0, 10, 96, 87})); // 76.8 -> 77
    EXPECT_EQ(FitToRect(0, 40, {5, 5, 96, 96}), (TReportRect{5, 5, 5, 5}));     // nothing to place
}

TEST(Geometry, FitRectTruncatesAndSplitsTheMarginByIntegerDivision) {
    EXPECT_EQ(FitRect(640, 480, {0, 0, 100, 100}), (TReportRect{0, 12, 100, 87})); // (100-75) div 2
    EXPECT_EQ(FitRect(50, 40, {0, 0, 96, 96}), (TReportRect{0, 10, 96, 86}));      // 76.8 -> 76
    EXPECT_EQ(FitRect(1600, 1200, {8, 8, 136, 136}), (TReportRect{8, 24, 136, 120}));
    // Pictures are enlarged as well as reduced.
    EXPECT_EQ(FitRect(10, 10, {0, 0, 128, 64}), (TReportRect{32, 0, 96, 64}));
}

TEST(Geometry, RotateBitmapTurnsByQuarters) {
    QImage source(3, 2, QImage::Format_RGB32);
    int value = 0;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x, value += 40) {
            source.setPixel(x, y, qRgb(value, 255 - value, 7));
        }
    }
    QImage anticlockwise = source;
    RotateBitmap(anticlockwise, 1, Qt::white);
    ASSERT_EQ(anticlockwise.size(), QSize(2, 3));
    EXPECT_EQ(anticlockwise.pixel(0, 0), source.pixel(2, 0)); // the source's top-right
    EXPECT_EQ(anticlockwise.pixel(1, 2), source.pixel(0, 1));
    QImage clockwise = source;
    RotateBitmap(clockwise, 3, Qt::white);
    EXPECT_EQ(clockwise.pixel(0, 0), source.pixel(0, 1)); // the source's bottom-left
    QImage half = source;
    RotateBitmap(half, 2, Qt::white);
    EXPECT_EQ(half.size(), QSize(3, 2));
    EXPECT_EQ(half.pixel(0, 0), source.pixel(2, 1));
    QImage same = source;
    RotateBitmap(same, 0, Qt::white);
    EXPECT_EQ(same.convertToFormat(QImage::Format_RGB32), source);
    // Four quarter turns bring it back.
    QImage round = source;
    for (int i = 0; i < 4; ++i) {
        RotateBitmap(round, 1, Qt::white);
    }
    EXPECT_EQ(round.convertToFormat(QImage::Format_RGB32), source);
}
