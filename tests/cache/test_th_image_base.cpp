#include "cache/th_image_base.h"
#include "cache_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/errors.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

class Records : public ::testing::Test {
protected:
    void SetUp() override {
        images.CacheFileName.CacheDir = dir.Path();
        images.CacheFileName.MaxSizeKB = 100;
    }
    bool HasBitmap(int id) const {
        return QFileInfo::exists(images.CacheFileName.BitmapFileName(id));
    }
    QStringList Order() const {
        QStringList names;
        for (int i = 0; i < images.Count(); ++i) {
            names.append(images.Image(i)->OrgFileName);
        }
        return names;
    }
    TempFolder dir;
    TThImageBase images;
};

} // namespace

TEST_F(Records, NamesBitmapsInSubFoldersOfAHundred) {
    EXPECT_EQ(TThCacheFileName::BitmapName(1234), QStringLiteral("A0001234"));
    EXPECT_EQ(images.CacheFileName.BitmapFileName(1234),
              dir.Path() + "/_TDB0200/A00012/A0001234.jpg");
    EXPECT_EQ(images.CacheFileName.TableFileName(), dir.Path() + "/_TDB0200/_TDBCache.dat");
    TThCacheFileName none;
    EXPECT_THROW(none.DataDir(), ECacheError);
}

TEST_F(Records, EvictsTheOldestDownToEightyPercentWhenPastNinety) {
    EXPECT_EQ(images.UpperLimit(), 92160);
    EXPECT_EQ(images.LowerLimit(), 81920);
    for (int i = 0; i < 9; ++i) {
        AddStoredRecord(images, QStringLiteral("/p/%1.jpg").arg(i), i, 10854);
    }
    images.TouchImage(images.Image(0)); // served: now the last to go
    EXPECT_EQ(images.TotalSize, 9 * 10854);
    images.CheckSize();
    EXPECT_LE(images.TotalSize, 81920);
    EXPECT_EQ(images.Count(), 7);
    EXPECT_EQ(Order().first(), QStringLiteral("/p/3.jpg"));
    EXPECT_EQ(Order().last(), QStringLiteral("/p/0.jpg"));
    EXPECT_FALSE(HasBitmap(1));
    EXPECT_FALSE(HasBitmap(2));
    EXPECT_TRUE(HasBitmap(0));
}

TEST_F(Records, LimitsBeyondTwoGigabytesWork) {
    images.CacheFileName.MaxSizeKB = 4LL * 1024 * 1024; // 4 GB
    EXPECT_EQ(images.UpperLimit(), static_cast<qint64>(4.0 * 1024 * 1024 * 1024 * 0.9 + 0.5));
    AddStoredRecord(images, "/p/a.jpg", 0, 100);
    images.TotalSize = 3LL * 1024 * 1024 * 1024; // well under 90 % of 4 GB
    images.CheckSize();
    EXPECT_EQ(images.Count(), 1);
}

TEST_F(Records, NumbersWrapAndFreeTheirBlockFirst) {
    AddStoredRecord(images, "/p/a.jpg", 5, 100);
    AddStoredRecord(images, "/p/b.jpg", 999, 100);
    AddStoredRecord(images, "/p/c.jpg", 1000, 100);
    images.SaveCounter = 999999;
    EXPECT_EQ(images.NextSaveID(), 0);
    EXPECT_EQ(Order(), QStringList({"/p/c.jpg"}));
    EXPECT_FALSE(HasBitmap(5));
    EXPECT_TRUE(HasBitmap(1000));
    AddStoredRecord(images, "/p/d.jpg", 2500, 100);
    images.SaveCounter = 1999;
    EXPECT_EQ(images.NextSaveID(), 2000);
    EXPECT_EQ(Order(), QStringList({"/p/c.jpg"}));
    EXPECT_EQ(images.NextSaveID(), 2001);
}

TEST_F(Records, ACounterContinuesAfterTheBitmapWrittenLast) {
    AddStoredRecord(images, "/p/a.jpg", 5, 100, "2004/01/01 10:00:00");
    AddStoredRecord(images, "/p/b.jpg", 999998, 100, "2004/01/01 10:00:00");
    EXPECT_EQ(images.SaveCounter, 5); // equal times, far apart: the counter had wrapped
    images.Clear();
    AddStoredRecord(images, "/p/a.jpg", 7, 100, "2004/01/01 10:00:00");
    AddStoredRecord(images, "/p/b.jpg", 9, 100, "2004/01/01 10:00:00");
    AddStoredRecord(images, "/p/c.jpg", 3, 100, "2004/01/01 09:00:00");
    EXPECT_EQ(images.SaveCounter, 9);
    AddStoredRecord(images, "/p/d.jpg", 1, 100, "2004/01/01 11:00:00");
    EXPECT_EQ(images.SaveCounter, 1);
    EXPECT_EQ(images.SaveCounterTime, QStringLiteral("2004/01/01 11:00:00"));
}

TEST_F(Records, IteratorsWalkBothWaysAndGuardTheirEnds) {
    for (int i = 0; i < 3; ++i) {
        AddStoredRecord(images, QStringLiteral("/p/%1.jpg").arg(i), i, 100);
    }
    TThEntryReverseIterator back(images);
    QStringList seen;
    while (back.Next()) {
        auto* record = static_cast<TThImage*>(back.CurrentItem());
        seen.append(record->OrgFileName);
        if (record->SaveID == 1) {
            images.RemoveImage(record); // allowed while walking backwards
        }
    }
    EXPECT_EQ(seen, QStringList({"/p/2.jpg", "/p/1.jpg", "/p/0.jpg"}));
    TThEntryIterator forward(images);
    EXPECT_THROW(forward.CurrentItem(), ECacheError);
    ASSERT_TRUE(forward.Next());
    EXPECT_EQ(forward.CurrentItem()->OrgFileName, QStringLiteral("/p/0.jpg"));
    ASSERT_TRUE(forward.Next());
    EXPECT_FALSE(forward.Next());
    try {
        forward.CurrentItem();
        FAIL();
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Index=2 不正。TThEntryIterator.CurrentItem"));
    }
}
