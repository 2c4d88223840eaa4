#include "cache/thumbnail_db.h"
#include "picture_fixtures.h"
#include "support/file_size_limit.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "support/without_root.h"
#include "util/errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <utime.h>

using namespace mirte;
using namespace mirte::test;

namespace {

class Database : public ::testing::Test {
protected:
    void SetUp() override { Open(); }
    void Open() {
        db = std::make_unique<TThumbnailDB>();
        db->SetCacheDirectory(cache.Path());
        db->SetMaxCacheSize(100000);
        db->SetThumbnailWidth(96);
        db->SetThumbnailHeight(96);
    }
    QString Picture(const QString& name, int w, int h) {
        return pictures.Write(name, EncodeWithQt(MakeTestPicture(w, h), "jpg"));
    }
    void Touch(const QString& path, int secondsLater) {
        utimbuf times{};
        times.actime = times.modtime = QDateTime::currentSecsSinceEpoch() + secondsLater;
        ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
    }
    TempFolder cache;
    TempFolder pictures;
    std::unique_ptr<TThumbnailDB> db;
};

} // namespace

TEST_F(Database, AFreshCacheStoresNumberZeroAndServesTheSamePixelsAfterARestart) {
    const QString path = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->GetThumbnail(path));
    EXPECT_FALSE(db->ThumbnailInfo.FromCache);
    const QImage made = db->ThumbnailInfo.Bitmap.convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(made.size(), QSize(96, 72));
    EXPECT_TRUE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000000.jpg")));
    db.reset(); // saves the table
    Open();
    ASSERT_TRUE(db->GetThumbnail(path));
    EXPECT_TRUE(db->ThumbnailInfo.FromCache);
    EXPECT_GE(Psnr(db->ThumbnailInfo.Bitmap, made), 40.0); // stored as a JPEG
    EXPECT_EQ(db->OriginalImageInfo.FileName, path);
    EXPECT_EQ(db->OriginalImageInfo.Width, 160);
    EXPECT_EQ(db->Graphic.DecodeCount(), 0);
    // A caller that shows it smaller gets it read smaller: at a quarter for a box of 24.
    ASSERT_TRUE(db->GetThumbnail(path, QSize(24, 24)));
    EXPECT_TRUE(db->ThumbnailInfo.FromCache);
    EXPECT_EQ(db->ThumbnailInfo.Bitmap.size(), QSize(24, 18));
    EXPECT_EQ(db->Table.Current->ReqWidth, 96); // still the one stored thumbnail
    EXPECT_EQ(db->Table.Images.Count(), 1);
}

TEST_F(Database, ATouchedSourceMakesANewRecordWithTheNextNumber) {
    const QString path = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->GetThumbnail(path));
    Touch(path, 10);
    ASSERT_TRUE(db->GetThumbnail(path));
    EXPECT_FALSE(db->ThumbnailInfo.FromCache);
    EXPECT_EQ(db->Table.Images.Count(), 2);
    EXPECT_EQ(db->Table.Current->SaveID, 1);
    db->RefreshThumbnail(path); // replaces the stored one under the next number
    EXPECT_FALSE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000001.jpg")));
    EXPECT_TRUE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000002.jpg")));
}

TEST_F(Database, FactsOfAFolderSeenBeforeComeFromTheTableWithoutOpeningAPicture) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 120, 160);
    ASSERT_TRUE(db->GetThumbnail(a));
    ASSERT_TRUE(db->GetThumbnail(b));
    db.reset();
    Open();
    ASSERT_TRUE(db->GetOriginalInfo(a));
    EXPECT_EQ(db->OriginalImageInfo.Width, 160);
    ASSERT_TRUE(db->GetOriginalInfo(b));
    EXPECT_EQ(db->OriginalImageInfo.Height, 160);
    // No picture was even opened: the renderer holds none.
    EXPECT_TRUE(db->Graphic.LoadedFileName().isEmpty());
    EXPECT_EQ(db->Graphic.DecodeCount(), 0);
}

TEST_F(Database, AMissingFileKeepsThePreviousFacts) {
    const QString a = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->GetOriginalInfo(a));
    EXPECT_FALSE(db->GetOriginalInfo(pictures.File("gone.jpg")));
    EXPECT_EQ(db->OriginalImageInfo.FileName, a);
    EXPECT_EQ(db->OriginalImageInfo.Width, 160);
}

TEST_F(Database, AnUnsetBoxRaisesTheFitError) {
    TThumbnailDB fresh;
    fresh.SetCacheDirectory(pictures.Path());
    try {
        fresh.GetThumbnail(Picture("a.jpg", 10, 10));
        FAIL();
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("引数不正。TInnerSize.SetSize 枠サイズ(0 x 0)"));
    }
}

TEST_F(Database, ThumbnailsKeepComingWhenTheCacheCannotStore) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 160, 120);
    // A file where the bitmaps' folder should be: nothing can be stored.
    cache.Write("_TDB0200/A00000", "in the way");
    ASSERT_TRUE(db->GetThumbnail(a));
    EXPECT_EQ(db->ThumbnailInfo.Bitmap.size(), QSize(96, 72));
    EXPECT_TRUE(db->Table.Images.Disabled);
    ASSERT_TRUE(db->GetThumbnail(b));
    EXPECT_EQ(db->Table.Images.Count(), 0); // no record points at a bitmap that is not there
    db->ClearCache();                       // a clear ends the disabled state
    EXPECT_FALSE(db->Table.Images.Disabled);
    ASSERT_TRUE(db->GetThumbnail(a));
    EXPECT_EQ(db->Table.Images.Count(), 1);
}

TEST_F(Database, ADiskThatFillsUpLeavesNoPartFileAndTheCacheKeepsServing) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 160, 120);
    ASSERT_TRUE(db->GetThumbnail(a));
    {
        const FileSizeLimit full(100); // writes beyond 100 bytes fail as on a full disk
        ASSERT_TRUE(db->GetThumbnail(b));
    }
    EXPECT_EQ(db->ThumbnailInfo.Bitmap.size(), QSize(96, 72));
    EXPECT_TRUE(db->Table.Images.Disabled);
    EXPECT_EQ(QDir(cache.File("_TDB0200/A00000")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"A0000000.jpg"}));
    ASSERT_TRUE(db->GetThumbnail(a)); // what was stored before is still served
    EXPECT_TRUE(db->ThumbnailInfo.FromCache);
}

TEST_F(Database, APathWithALineBreakIsShownButNeverRecorded) {
    const QString path = Picture("evil\nT,forged.jpg", 50, 40);
    ASSERT_TRUE(db->GetThumbnail(path));
    EXPECT_EQ(db->ThumbnailInfo.Bitmap.size(), QSize(96, 77));
    EXPECT_EQ(db->Table.Images.Count(), 0);
}

TEST_F(Database, AReadOnlyCacheFolderStillGivesThumbnailsWithoutRoot) {
    SKIP_AS_ROOT();
    const QString a = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->GetThumbnail(a)); // stored while the folder was writable
    db->SaveTable();
    const QByteArray table = cache.Read(db->Table.TableFileName());
    const QString data = db->Table.DataDir();
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(data, readOnly));
    ASSERT_TRUE(QFile::setPermissions(data + "/A00000", readOnly));
    const QString b = Picture("b.jpg", 120, 160);
    ASSERT_TRUE(db->GetThumbnail(b));
    EXPECT_EQ(db->ThumbnailInfo.Bitmap.size(), QSize(72, 96));
    EXPECT_TRUE(db->Table.Images.Disabled);
    ASSERT_TRUE(db->GetThumbnail(a)); // what was stored is still served
    EXPECT_TRUE(db->ThumbnailInfo.FromCache);
    EXPECT_THROW(db->SaveTable(), ECacheError); // said, not swallowed
    EXPECT_EQ(cache.Read(db->Table.TableFileName()), table);
    const auto writable = readOnly | QFileDevice::WriteOwner;
    QFile::setPermissions(data + "/A00000", writable);
    QFile::setPermissions(data, writable);
}

// A second cache on the folder (another program's) waits for it, then stores nothing: it serves
// what is stored while the file is still its record's, and once the folder is free it stores
// again on top of what the first one stored.
TEST_F(Database, ASecondCacheOnTheFolderStoresNothingUntilTheFirstLetsGo) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 120, 160);
    const QString c = Picture("c.jpg", 100, 100);
    const QString d = Picture("d.jpg", 100, 100);
    ASSERT_TRUE(db->GetThumbnail(a));
    ASSERT_TRUE(db->GetThumbnail(d));
    db->SaveTable();
    const QByteArray table = cache.Read(db->Table.TableFileName());

    auto second = std::make_unique<TThumbnailDB>();
    QStringList told;
    second->Table.LockWaitMs = 100;
    second->Table.OnBusy = [&](const QString& message) { told.append(message); };
    second->SetCacheDirectory(cache.Path());
    second->SetMaxCacheSize(100000);
    second->SetThumbnailWidth(96);
    second->SetThumbnailHeight(96);
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told.last().contains(QStringLiteral("サムネイルは保存しません")));
    EXPECT_TRUE(second->Table.ReadOnly());
    ASSERT_TRUE(second->GetThumbnail(a));
    EXPECT_TRUE(second->ThumbnailInfo.FromCache);
    ASSERT_TRUE(second->GetThumbnail(b));
    EXPECT_FALSE(second->ThumbnailInfo.FromCache);
    second->RefreshThumbnail(d); // made again, and the stored one left to its owner
    second->SaveTable();
    EXPECT_THROW(second->ClearCache(), ECacheError);
    EXPECT_EQ(cache.Read(db->Table.TableFileName()), table);
    EXPECT_EQ(QDir(cache.File("_TDB0200/A00000")).entryList(QDir::Files),
              QStringList({"A0000000.jpg", "A0000001.jpg"}));

    // The first clears its cache and stores b under a's old number: never served for a.
    db->ClearCache();
    ASSERT_TRUE(db->GetThumbnail(b));
    ASSERT_EQ(db->Table.Current->SaveID, 0);
    ASSERT_TRUE(second->GetThumbnail(a));
    EXPECT_FALSE(second->ThumbnailInfo.FromCache);
    EXPECT_EQ(second->ThumbnailInfo.Bitmap.size(), QSize(96, 72));

    db.reset(); // saves b and lets the folder go
    ASSERT_TRUE(second->GetThumbnail(c));
    EXPECT_FALSE(second->Table.ReadOnly());
    second.reset(); // saves c
    Open();
    for (const QString& path : {b, c}) {
        ASSERT_TRUE(db->GetThumbnail(path));
        EXPECT_TRUE(db->ThumbnailInfo.FromCache) << path.toStdString();
    }
}
