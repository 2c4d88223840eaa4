#include "cache/inner_size.h"
#include "support/gtest_qt.h"
#include "util/errors.h"

#include <QSize>
#include <gtest/gtest.h>

using namespace mirte;

namespace {

QSize Fit(int fw, int fh, int iw, int ih) {
    TInnerSize size;
    size.SetSize(fw, fh, iw, ih);
    return {size.InnerWidth, size.InnerHeight};
}

} // namespace

TEST(InnerSize, FitsShrinksAndEnlargesRoundingHalvesToEven) {
    EXPECT_EQ(Fit(96, 96, 1600, 1200), QSize(96, 72));
    EXPECT_EQ(Fit(96, 96, 1200, 1600), QSize(72, 96));
    EXPECT_EQ(Fit(96, 96, 50, 40), QSize(96, 77));         // 76.8
    EXPECT_EQ(Fit(96, 96, 64, 35), QSize(96, 52));         // 52.5 goes to the even 52
    EXPECT_EQ(Fit(96, 96, 64, 37), QSize(96, 56));         // 55.5 goes to the even 56
    EXPECT_EQ(Fit(512, 384, 4000, 3000), QSize(512, 384)); // same aspect: exactly the box
    EXPECT_EQ(Fit(512, 512, 10000, 1), QSize(512, 0));     // no minimum of one pixel
    EXPECT_EQ(Fit(200, 100, 30, 90), QSize(33, 100));
}

TEST(InnerSize, EmptySidesRaiseTheirErrors) {
    TInnerSize size;
    try {
        size.SetSize(0, 96, 10, 10);
        FAIL();
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("引数不正。TInnerSize.SetSize 枠サイズ(0 x 96)"));
    }
    try {
        size.SetSize(96, 96, 10, 0);
        FAIL();
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("引数不正。TInnerSize.SetSize 画像サイズ(10 x 0)"));
    }
    EXPECT_EQ(size.InnerWidth, 0);
    EXPECT_EQ(size.InnerHeight, 0);
    EXPECT_THROW(size.SetSize(-5, 96, 10, 10), ECacheError);
}
