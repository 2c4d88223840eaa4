#include "cache/listed_facts.h"
#include "cache/thumbnail_db.h"
#include "picture_fixtures.h"
#include "support/file_size_limit.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "support/without_root.h"
#include "util/errors.h"
#include "util/file_lock.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
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

// Two caches on one folder (two programs') store at the same time: each merges what the other
// wrote before it writes, a thumbnail one evicted or cleared away is a miss for the other (made
// anew, never another picture), and a picture both stored is kept once. Steps: the cache (A or
// B), then g: get, s: save (or take in), r: remake, c: clear, e: evict all (a tiny limit),
// then the picture; "*" after a get: it must come from the cache, "!": it must not.
TEST_F(Database, TwoCachesOnOneFolderMergeWhatEachStores) {
    const struct {
        const char* name;
        QStringList steps;
        QStringList table; // the records after both saved, by picture
    } rows[] = {
        {"interleaved writers",
         {"Aga!", "Bgb!", "As", "Bgc!", "Bs", "Agd!", "As"},
         {"a", "b", "c", "d"}},
        {"what the other stored is served once taken in",
         {"Aga!", "As", "Bs", "Bga*", "Agb!", "As", "Bgb!", "Bs", "Bgb*", "Agb*"},
         {"a", "b"}},
        {"evicted by one, a miss for the other",
         {"Aga!", "Agb!", "As", "Bs", "Bgc!", "Bga*", "Be", "Bs", "Agb!", "As"},
         {"b"}},
        {"remade by one, a miss for the other and kept once",
         {"Aga!", "As", "Bs", "Bra!", "Bs", "Aga!", "As", "Bga*"},
         {"a"}},
        {"cleared by one", {"Aga!", "As", "Bc", "Bgb!", "Bs", "Aga!", "As"}, {"a", "b"}},
        {"one picture stored by both", {"Aga!", "Bga!", "As", "Bs", "Aga*", "Bga*"}, {"a"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        std::map<QChar, std::unique_ptr<TThumbnailDB>> caches;
        for (const QChar which : {u'A', u'B'}) {
            caches[which] = std::make_unique<TThumbnailDB>();
            caches[which]->SetCacheDirectory(folder.Path());
            caches[which]->SetMaxCacheSize(100000);
        }
        // Each picture written once per row: written again in a later second, it would be
        // another version of the picture, which neither cache may serve.
        std::map<QChar, QString> written;
        for (const QString& step : row.steps) {
            SCOPED_TRACE(step.toStdString());
            TThumbnailDB& on = *caches[step[0]];
            // Each picture of its own size, so that no two thumbnails have one file size.
            const int side = step.size() > 2 ? 100 + 20 * (step[2].unicode() - u'a') : 0;
            if (side > 0 && !written.contains(step[2])) {
                written[step[2]] = Picture(step.mid(2, 1) + ".jpg", side, 90);
            }
            const QString picture = side > 0 ? written[step[2]] : QString();
            switch (step[1].unicode()) {
            case u'g': {
                const TThumbnail got = on.Thumbnail(picture);
                ASSERT_TRUE(got.Ok());
                EXPECT_EQ(got.FromCache, step.endsWith(u'*'));
                break;
            }
            case u'r':
                ASSERT_TRUE(on.Remake(picture).Ok());
                break;
            case u's':
                on.SaveTable();
                break;
            case u'c':
                on.ClearCache();
                break;
            case u'e':
                on.SetMaxCacheSize(1); // the next store evicts every older record
                on.Thumbnail(Picture("z.jpg", 16, 16));
                on.Forget(pictures.File("z.jpg"));
                on.SetMaxCacheSize(100000);
                break;
            }
        }
        caches.clear(); // both save
        TThumbnailDB reopened;
        reopened.SetCacheDirectory(folder.Path());
        QStringList stored;
        reopened.ForEachRecord([&](const TThImage& record) {
            stored.append(QFileInfo(record.OrgFileName).baseName());
            EXPECT_TRUE(QFile::exists(record.BitmapFileName()));
        });
        stored.sort();
        EXPECT_EQ(stored, row.table);
        // No thumbnail file is left without its record.
        int files = 0;
        for (QDirIterator it(folder.File("_TDB0200"), {"*.jpg"}, QDir::Files,
                             QDirIterator::Subdirectories);
             it.hasNext(); it.next()) {
            ++files;
        }
        EXPECT_EQ(files, stored.size());
    }
}

// A lock that another program keeps past the wait (one that hangs) leaves this cache serving
// and rendering without storing; once the lock is free it stores again.
TEST_F(Database, ALockHeldPastTheWaitStoresNothingUntilItIsFree) {
    const QString a = Picture("a.jpg", 160, 120);
    const QString b = Picture("b.jpg", 120, 160);
    ASSERT_TRUE(db->Thumbnail(a).Ok());
    db->SaveTable();
    const QByteArray table = cache.Read(db->TableFileName());
    TFileLock hung;
    ASSERT_EQ(hung.Lock(cache.File("_TDB0200.lock"), 0), TFileLock::TResult::Held);
    QStringList told;
    db->SetFolderWaitMs(100);
    db->OnFolderBusy([&](const QString& message) { told.append(message); });
    EXPECT_TRUE(db->Thumbnail(a).FromCache);
    const TThumbnail madeB = db->Thumbnail(b);
    EXPECT_TRUE(madeB.Ok() && !madeB.FromCache);
    EXPECT_TRUE(db->FolderInUse());
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QStringLiteral("サムネイルは保存しません")));
    EXPECT_THROW(db->ClearCache(), ECacheError);
    db->SaveTable();
    EXPECT_EQ(cache.Read(db->TableFileName()), table);

    hung.Unlock();
    EXPECT_FALSE(db->Thumbnail(b).FromCache);
    EXPECT_FALSE(db->FolderInUse());
    db->SaveTable();
    Open();
    EXPECT_TRUE(db->Thumbnail(b).FromCache);
    EXPECT_EQ(Records(), 2);
}

// Thumbnails are small copies of private photos and the table holds their paths: whatever the
// umask, only their owner reads them. A folder the user chose keeps its own mode.
TEST_F(Database, TheCacheIsItsOwnersAloneWhateverTheUmask) {
    const struct {
        const char* name;
        bool folderMade; // by the user beforehand, 0755, or by the cache
    } rows[] = {{"a folder the cache makes", false}, {"a folder the user chose", true}};
    const QString picture = Picture("a.jpg", 160, 120);
    const mode_t umaskBefore = ::umask(022);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString folder = cache.File(QStringLiteral("%1/cache").arg(row.folderMade));
        if (row.folderMade) {
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
        }
        db = std::make_unique<TThumbnailDB>();
        db->SetCacheDirectory(folder);
        db->SetMaxCacheSize(100000);
        ASSERT_TRUE(db->Thumbnail(picture).Ok());
        db->SaveTable();
        const auto mode = [](const QString& path) {
            struct stat st {};
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 0777
                                                                         : mode_t(-1);
        };
        EXPECT_EQ(mode(folder), row.folderMade ? 0755u : 0700u);
        for (const char* made : {"_TDB0200", "_TDB0200/A00000"}) {
            EXPECT_EQ(mode(folder + '/' + made), 0700u) << made;
        }
        for (const QString& file : {db->TableFileName(), folder + "/_TDB0200.lock",
                                    folder + "/_TDB0200/A00000/A0000000.jpg"}) {
            EXPECT_EQ(mode(file), 0600u) << file.toStdString();
        }
    }
    ::umask(umaskBefore);
}
