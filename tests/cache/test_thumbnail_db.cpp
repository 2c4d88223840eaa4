#include "cache/listed_facts.h"
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
    }
    int Records() const {
        int count = 0;
        db->ForEachRecord([&](const TThImage&) { ++count; });
        return count;
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

// A listed picture gives its size as it is shown: a photo turned a quarter by its EXIF
// orientation has its sides swapped, before its thumbnail is stored (from its header) and after
// (from the stored thumbnail's proportions); the cache's facts keep the size as stored.
TEST_F(Database, ListedPicturesGiveTheirSizeAsShown) {
    const struct {
        int orientation;
        QSize shown;
    } rows[] = {{1, {64, 48}}, {3, {64, 48}}, {6, {48, 64}}, {8, {48, 64}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.orientation);
        const QString path =
            pictures.Write(QStringLiteral("o%1.jpg").arg(row.orientation),
                           MakeExifJpeg(MakeTestPicture(64, 48), {"", "", row.orientation}));
        for (const bool stored : {false, true}) {
            if (stored) {
                ASSERT_TRUE(db->Thumbnail(path).Ok());
            }
            const TItemFacts facts = PictureItemFacts(*db, path);
            EXPECT_EQ(facts.Shown, row.shown) << stored;
            EXPECT_EQ(facts.StoredSize(), QSize(64, 48)) << stored;
            EXPECT_EQ(db->Facts(path)->Width, 64);
        }
    }
}

TEST_F(Database, AFreshCacheStoresNumberZeroAndServesTheSamePixelsAfterARestart) {
    const QString path = Picture("a.jpg", 160, 120);
    const TThumbnail first = db->Thumbnail(path);
    ASSERT_TRUE(first.Ok());
    EXPECT_FALSE(first.FromCache);
    const QImage made = first.Picture.convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(made.size(), QSize(512, 384));
    EXPECT_TRUE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000000.jpg")));
    db.reset(); // saves the table
    Open();
    const TThumbnail again = db->Thumbnail(path);
    ASSERT_TRUE(again.FromCache);
    EXPECT_GE(Psnr(again.Picture, made), 40.0); // stored as a JPEG
    EXPECT_EQ(again.Facts.Width, 160);
    EXPECT_EQ(db->RenderCount(), 0);
    // A caller that shows it smaller gets it read smaller: at an eighth for a box of 24.
    const TThumbnail small = db->Thumbnail(path, QSize(24, 24));
    EXPECT_TRUE(small.FromCache);
    EXPECT_EQ(small.Picture.size(), QSize(64, 48));
    EXPECT_EQ(Records(), 1); // still the one stored thumbnail
    const std::optional<TStoredThumbnail> stored = db->Locate(path);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->File, cache.File("_TDB0200/A00000/A0000000.jpg"));
}

TEST_F(Database, ATouchedSourceMakesANewRecordWithTheNextNumber) {
    const QString path = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->Thumbnail(path).Ok());
    Touch(path, 10);
    EXPECT_FALSE(db->Locate(path)); // the record no longer matches the file
    const TThumbnail renewed = db->Thumbnail(path);
    ASSERT_TRUE(renewed.Ok());
    EXPECT_FALSE(renewed.FromCache);
    EXPECT_EQ(Records(), 2);
    EXPECT_TRUE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000001.jpg")));
    db->Remake(path); // replaces the stored one under the next number
    EXPECT_FALSE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000001.jpg")));
    EXPECT_TRUE(QFileInfo::exists(cache.File("_TDB0200/A00000/A0000002.jpg")));
    EXPECT_EQ(db->RenderCount(), 3);
}

TEST_F(Database, FactsOfAFolderSeenBeforeComeFromTheTableWithoutOpeningAPicture) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 120, 160);
    ASSERT_TRUE(db->Thumbnail(a).Ok());
    ASSERT_TRUE(db->Thumbnail(b).Ok());
    db.reset();
    Open();
    // Pictures made unreadable since, with the time and size recorded: the facts come from the
    // records alone.
    for (const QString& path : {a, b}) {
        const qint64 time = QFileInfo(path).lastModified().toSecsSinceEpoch();
        pictures.Write(QFileInfo(path).fileName(), QByteArray(QFileInfo(path).size(), 'x'));
        utimbuf times{};
        times.actime = times.modtime = time;
        ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
    }
    ASSERT_EQ(db->Facts(a).value_or(TPictureFacts{}).Width, 160);
    EXPECT_EQ(db->Facts(b).value_or(TPictureFacts{}).Height, 160);
    EXPECT_EQ(db->RenderCount(), 0);
}

TEST_F(Database, AMissingFileOrAFolderHasNoFactsAndNoThumbnail) {
    for (const QString& path : {pictures.File("gone.jpg"), pictures.MakeDir("folder.jpg")}) {
        EXPECT_FALSE(db->Facts(path));
        const TThumbnail none = db->Thumbnail(path);
        EXPECT_FALSE(none.Ok());
        EXPECT_FALSE(none.Error.isEmpty());
    }
    EXPECT_EQ(Records(), 0);
}

TEST_F(Database, AStoredThumbnailFoundDamagedIsForgottenAndMadeAnew) {
    const QString path = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->Thumbnail(path).Ok());
    const std::optional<TStoredThumbnail> stored = db->Locate(path);
    ASSERT_TRUE(stored);
    db->Forget(path); // a reader found it unreadable
    EXPECT_FALSE(QFileInfo::exists(stored->File));
    EXPECT_FALSE(db->Cached(path).Ok());
    EXPECT_TRUE(db->Thumbnail(path).Ok());
    EXPECT_EQ(Records(), 1);
}

TEST_F(Database, ThumbnailsKeepComingWhenTheCacheCannotStore) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 160, 120);
    // A file where the bitmaps' folder should be: nothing can be stored.
    cache.Write("_TDB0200/A00000", "in the way");
    EXPECT_EQ(db->Thumbnail(a).Picture.size(), QSize(512, 384));
    EXPECT_FALSE(db->Storing());
    ASSERT_TRUE(db->Thumbnail(b).Ok());
    EXPECT_EQ(Records(), 0); // no record points at a bitmap that is not there
    db->ClearCache();        // a clear ends the disabled state
    EXPECT_TRUE(db->Storing());
    ASSERT_TRUE(db->Thumbnail(a).Ok());
    EXPECT_EQ(Records(), 1);
}

TEST_F(Database, ADiskThatFillsUpLeavesNoPartFileAndTheCacheKeepsServing) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 160, 120);
    ASSERT_TRUE(db->Thumbnail(a).Ok());
    TThumbnail made;
    {
        const FileSizeLimit full(100); // writes beyond 100 bytes fail as on a full disk
        made = db->Thumbnail(b);
    }
    EXPECT_EQ(made.Picture.size(), QSize(512, 384));
    EXPECT_FALSE(db->Storing());
    EXPECT_EQ(QDir(cache.File("_TDB0200/A00000")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"A0000000.jpg"}));
    EXPECT_TRUE(db->Thumbnail(a).FromCache); // what was stored before is still served
}

TEST_F(Database, APathWithALineBreakIsShownButNeverRecorded) {
    const QString path = Picture("evil\nT,forged.jpg", 50, 40);
    EXPECT_EQ(db->Thumbnail(path).Picture.size(), QSize(512, 410));
    EXPECT_EQ(Records(), 0);
}

TEST_F(Database, AReadOnlyCacheFolderStillGivesThumbnailsWithoutRoot) {
    SKIP_AS_ROOT();
    const QString a = Picture("a.jpg", 160, 120);
    ASSERT_TRUE(db->Thumbnail(a).Ok()); // stored while the folder was writable
    db->SaveTable();
    const QByteArray table = cache.Read(db->TableFileName());
    const QString data = db->DataDir();
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(data, readOnly));
    ASSERT_TRUE(QFile::setPermissions(data + "/A00000", readOnly));
    const QString b = Picture("b.jpg", 120, 160);
    EXPECT_EQ(db->Thumbnail(b).Picture.size(), QSize(384, 512));
    EXPECT_FALSE(db->Storing());
    EXPECT_TRUE(db->Thumbnail(a).FromCache);    // what was stored is still served
    EXPECT_THROW(db->SaveTable(), ECacheError); // said, not swallowed
    EXPECT_EQ(cache.Read(db->TableFileName()), table);
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
    ASSERT_TRUE(db->Thumbnail(a).Ok());
    ASSERT_TRUE(db->Thumbnail(d).Ok());
    db->SaveTable();
    const QByteArray table = cache.Read(db->TableFileName());

    auto second = std::make_unique<TThumbnailDB>();
    QStringList told;
    second->SetFolderWaitMs(100);
    second->OnFolderBusy([&](const QString& message) { told.append(message); });
    second->SetCacheDirectory(cache.Path());
    second->SetMaxCacheSize(100000);
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told.last().contains(QStringLiteral("サムネイルは保存しません")));
    EXPECT_TRUE(second->FolderInUse());
    EXPECT_TRUE(second->Thumbnail(a).FromCache);
    const TThumbnail madeB = second->Thumbnail(b);
    EXPECT_TRUE(madeB.Ok() && !madeB.FromCache);
    second->Remake(d); // made again, and the stored one left to its owner
    second->SaveTable();
    EXPECT_THROW(second->ClearCache(), ECacheError);
    EXPECT_EQ(cache.Read(db->TableFileName()), table);
    EXPECT_EQ(QDir(cache.File("_TDB0200/A00000")).entryList(QDir::Files),
              QStringList({"A0000000.jpg", "A0000001.jpg"}));

    // The first clears its cache and stores b under a's old number: never served for a.
    db->ClearCache();
    ASSERT_TRUE(db->Thumbnail(b).Ok());
    ASSERT_EQ(db->Locate(b).value_or(TStoredThumbnail{}).File,
              cache.File("_TDB0200/A00000/A0000000.jpg"));
    const TThumbnail madeA = second->Thumbnail(a);
    EXPECT_FALSE(madeA.FromCache);
    EXPECT_EQ(madeA.Picture.size(), QSize(512, 384));

    db.reset(); // saves b and lets the folder go
    ASSERT_TRUE(second->Thumbnail(c).Ok());
    EXPECT_FALSE(second->FolderInUse());
    second.reset(); // saves c
    Open();
    for (const QString& path : {b, c}) {
        EXPECT_TRUE(db->Thumbnail(path).FromCache) << path.toStdString();
    }
}
