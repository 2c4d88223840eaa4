// A listed file's facts: the nine texts made from them, and the turn of a picture listed from
// its record, found once and kept.
#include "cache/listed_facts.h"
#include "cache/sort_keys.h"
#include "cache/thumbnail_db.h"
#include "picture_fixtures.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

TItemFacts Photo() {
    TItemFacts facts = NamedFacts(QStringLiteral("/p/写真.jpg"));
    facts.FileSize = 1234567;
    facts.FileTime = TDateStamp::FromText(QStringLiteral("2003/05/11 10:00:00"));
    facts.ShotTime = TDateStamp::FromText(QStringLiteral("2001/01/02 03:04:05"));
    facts.Shown = QSize(480, 640);
    facts.Turn = TItemTurn::Quarter;
    return facts;
}

} // namespace

TEST(InfoTexts, AreMadeFromTheFactsInTheirExactForms) {
    const auto edited = [](auto change) {
        TItemFacts facts = Photo();
        change(facts);
        return facts;
    };
    const struct {
        const char* what;
        TItemFacts facts;
        QStringList texts;
    } rows[] = {
        {"listed",
         Photo(),
         {"", "写真.jpg", "/p/写真.jpg", "1234567", "2003/05/11 10:00:00", "2001/01/02 03:04:05",
          "480", "640", ""}},
        {"loaded, by size",
         edited([](TItemFacts& f) {
             f.Loaded = true;
             f.SortOrder = soSize;
         }),
         {"Finished", "写真.jpg", "/p/写真.jpg", "1234567", "2003/05/11 10:00:00",
          "2001/01/02 03:04:05", "480", "640", "1205KB (480x640)"}},
        {"by date, none shot",
         edited([](TItemFacts& f) {
             f.ShotTime = TDateStamp();
             f.SortOrder = soShot;
         }),
         {"", "写真.jpg", "/p/写真.jpg", "1234567", "2003/05/11 10:00:00", "", "480", "640",
          "2003/05/11 10:00:00"}},
        {"a camera's blank date",
         edited([](TItemFacts& f) {
             f.ShotTime = TDateStamp::FromText(QStringLiteral("    /  /     :  :  "));
             f.SortOrder = soShot;
         }),
         {"", "写真.jpg", "/p/写真.jpg", "1234567", "2003/05/11 10:00:00",
          "    /  /     :  :  ", "480", "640", "    /  /     :  :  "}},
        {"no facts",
         NamedFacts(QStringLiteral("/p/broken.jpg")),
         {"", "broken.jpg", "/p/broken.jpg", "", "", "", "", "", ""}},
        {"an empty file",
         edited([](TItemFacts& f) {
             f.FileSize = 0;
             f.SortOrder = soSize;
         }),
         {"", "写真.jpg", "/p/写真.jpg", "0", "2003/05/11 10:00:00", "2001/01/02 03:04:05", "480",
          "640", "0KB (480x640)"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(InfoTexts(row.facts), row.texts);
        for (int entry = 0; entry < InfoCount; ++entry) {
            EXPECT_EQ(InfoText(row.facts, TInfoEntry(entry)), row.texts.value(entry)) << entry;
        }
    }
}

namespace {

// A photo turned a quarter by its EXIF orientation, its thumbnail stored.
class ListedFromARecord : public ::testing::Test {
protected:
    void SetUp() override {
        db.SetCacheDirectory(cache.Path());
        db.SetMaxCacheSize(100000);
        path = pictures.Write(QStringLiteral("turned.jpg"),
                              MakeExifJpeg(MakeTestPicture(64, 48), {"", "", 6}));
        ASSERT_TRUE(db.Thumbnail(path).Ok());
        first = PictureItemFacts(db, path);
        ASSERT_EQ(first.Turn, TItemTurn::Quarter);
        ASSERT_EQ(first.Shown, QSize(48, 64));
    }
    // Puts a thumbnail lying the other way in place of the stored one: a read of it would find
    // the picture not turned.
    void SwapStoredThumbnail() {
        const std::optional<TStoredThumbnail> stored = db.Locate(path);
        ASSERT_TRUE(stored);
        ASSERT_TRUE(
            SwapKeepingSizeAndTime(stored->File, EncodeWithQt(MakeTestPicture(64, 48), "jpg")));
    }
    TempFolder cache;
    TempFolder pictures;
    TThumbnailDB db;
    QString path;
    TItemFacts first;
};

} // namespace

TEST_F(ListedFromARecord, TakeTheTurnFromFactsStillTheRecordsAndReadItOtherwise) {
    const struct {
        const char* what;
        void (*change)(TItemFacts&);
        bool read; // the stored thumbnail is read again
    } rows[] = {
        {"the facts listed before", [](TItemFacts&) {}, false},
        {"another size", [](TItemFacts& f) { f.FileSize += 1; }, true},
        {"another file time",
         [](TItemFacts& f) { f.FileTime = TDateStamp::FromText("1999/01/01 00:00:00"); }, true},
        {"no turn found", [](TItemFacts& f) { f.Turn = TItemTurn::Unknown; }, true},
        {"another file", [](TItemFacts& f) { f.FullPath += QStringLiteral(".jpg"); }, true},
    };
    SwapStoredThumbnail();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TItemFacts known = first;
        row.change(known);
        const TItemFacts listed = PictureItemFacts(db, path, &known);
        EXPECT_EQ(listed.Turn, row.read ? TItemTurn::AsStored : TItemTurn::Quarter);
        EXPECT_EQ(listed.Shown, row.read ? QSize(64, 48) : QSize(48, 64));
        EXPECT_EQ(listed.FileSize, first.FileSize); // the record's, whatever was known
    }
    // Without facts listed before, the thumbnail is read.
    EXPECT_EQ(ReadItemFacts(db, path).Turn, TItemTurn::AsStored);
}
