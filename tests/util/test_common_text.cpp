#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/cache_size.h"
#include "util/common_text.h"

#include <QStorageInfo>
#include <gtest/gtest.h>

using namespace mirte;

TEST(ValidFontSize, AcceptsThreeToTwentyEight) {
    EXPECT_EQ(ValidFontSize("2"), 0);
    EXPECT_EQ(ValidFontSize("29"), 0);
    EXPECT_EQ(ValidFontSize("3"), 3);
    EXPECT_EQ(ValidFontSize("28"), 28);
    EXPECT_EQ(ValidFontSize(" 6"), 6); // the size box shows its sizes with a leading blank
    EXPECT_EQ(ValidFontSize("abc"), 0);
    EXPECT_EQ(ValidFontSize(""), 0);
    EXPECT_EQ(ValidFontSize("6 "), 0);
    EXPECT_EQ(ValidFontSize("-6"), 0);
    EXPECT_EQ(ValidFontSize("99999999999999999999"), 0);
}

TEST(TextToInt, ReadsWholeNumbersOnly) {
    int value = 0;
    ASSERT_TRUE(TextToInt(u"16751001", value));
    EXPECT_EQ(value, 16751001);
    ASSERT_TRUE(TextToInt(u"-1", value));
    EXPECT_EQ(value, -1);
    ASSERT_TRUE(TextToInt(u"$1F", value));
    EXPECT_EQ(value, 31);
    ASSERT_TRUE(TextToInt(u"0x10", value));
    EXPECT_EQ(value, 16);
    ASSERT_TRUE(TextToInt(u"-2147483648", value));
    EXPECT_EQ(value, -2147483647 - 1);
    for (const char16_t* bad : {u"", u"yes", u"1.5", u"2147483648", u"0x", u"$", u"+", u"12a"}) {
        EXPECT_FALSE(TextToInt(bad, value)) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(DefaultCacheSize, IsAQuarterOfSmallFreeSpaceElse250) {
    constexpr qint64 MB = 1024 * 1024;
    EXPECT_EQ(CacheSizeMBForFreeBytes(3 * 1024 * MB), 250);
    EXPECT_EQ(CacheSizeMBForFreeBytes(600 * MB), 150);
    EXPECT_EQ(CacheSizeMBForFreeBytes(800 * MB), 200);
    EXPECT_EQ(CacheSizeMBForFreeBytes(999 * MB + MB - 1), 249);
    EXPECT_EQ(CacheSizeMBForFreeBytes(1000 * MB), 250);
    EXPECT_EQ(CacheSizeMBForFreeBytes(3 * MB), 0);
    EXPECT_EQ(CacheSizeMBForFreeBytes(-1), 0);
}

TEST(DefaultCacheSize, ReadsTheFreeSpaceOfThePathsFileSystem) {
    mirte::test::TempFolder dir;
    const qint64 freeBytes = QStorageInfo(dir.Path()).bytesAvailable();
    EXPECT_EQ(DefaultCacheSizeMB(dir.Path()), CacheSizeMBForFreeBytes(freeBytes));
    // A cache folder not made yet is sized by the file system it will be made on.
    EXPECT_EQ(DefaultCacheSizeMB(dir.File("no/such/folder")), DefaultCacheSizeMB(dir.Path()));
    EXPECT_EQ(DefaultCacheSizeMB(QString()), 0);
}
