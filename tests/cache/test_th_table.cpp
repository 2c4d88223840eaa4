#include "cache/th_table.h"
#include "cache_fixtures.h"
#include "diag/debug_flags.h"
#include "support/file_size_limit.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/errors.h"
#include "util/file_facts.h"
#include "util/volume_info.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace mirte;
using namespace mirte::test;

namespace {

class Table : public ::testing::Test {
protected:
    void SetUp() override {
        SetDebugFlags(0);
        table.SetCacheDir(dir.Path());
        table.SetMaxSize(100000);
    }
    void TearDown() override { SetDebugFlags(0); }
    QByteArray TableBytes() const { return dir.Read(table.TableFileName()); }
    void WriteTable(const QByteArray& bytes) const {
        QDir().mkpath(table.DataDir());
        QFile file(table.TableFileName());
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QStringList Names() const {
        QStringList names;
        for (int i = 0; i < table.Images().Count(); ++i) {
            names.append(table.Images().Image(i)->OrgFileName);
        }
        return names;
    }
    TempFolder dir;
    TThTable table;
};

} // namespace

TEST_F(Table, WritesTheManagementFileExactlyAndReadsItBack) {
    AddStoredRecord(table.Images(), "/p/with blank.jpg", 0, 100);
    AddStoredRecord(table.Images(), "/p/a,b\"c\".jpg", 1, 200);
    table.Images().Modified = true;
    table.SaveTable();
    const QByteArray expected = (RecordLine("/p/with blank.jpg", 0, 100) + "\r\n" +
                                 RecordLine("/p/a,b\"c\".jpg", 1, 200) + "\r\n")
                                    .toUtf8();
    EXPECT_EQ(TableBytes(), expected);
    EXPECT_TRUE(TableBytes().contains("\"/p/with blank.jpg\""));
    EXPECT_TRUE(
        TableBytes().contains(",640,480,,,\"2003/12/31 23:59:58\",1000,,,")); // empty fields

    TThTable again;
    again.SetCacheDir(dir.Path());
    ASSERT_EQ(again.Images().Count(), 2);
    EXPECT_EQ(again.Images().Image(1)->OrgFileName, QStringLiteral("/p/a,b\"c\".jpg"));
    EXPECT_EQ(again.Images().TotalSize, 300);
    EXPECT_FALSE(again.Images().Modified);
    EXPECT_EQ(again.Images().Image(0)->Line, 1);
}

TEST_F(Table, ATitleLineOnlyWithDebugTitleAndCountedAsAComment) {
    AddStoredRecord(table.Images(), "/p/a.jpg", 0, 100);
    table.Images().Modified = true;
    SetDebugFlags(1u << int(TDebugFlag::DebugTitle));
    table.SaveTable();
    EXPECT_TRUE(TableBytes().startsWith(TThImageBase::TitleLine().toUtf8() + "\r\nT,"));
    EXPECT_EQ(table.LineCount(), 2);
    SetDebugFlags(0);
    TThTable again;
    again.SetCacheDir(dir.Path());
    EXPECT_EQ(again.Images().Count(), 1);
}

TEST_F(Table, SavesNothingUnchangedAndNothingIntoAFolderNotNeeded) {
    table.SaveTable();
    EXPECT_FALSE(QFileInfo::exists(table.DataDir()));
}

TEST_F(Table, GoodLinesOfABrokenFileLoadAndTheRestIsDropped) {
    WriteBitmapFile(table.Images(), 1, 100);
    WriteBitmapFile(table.Images(), 2, 100);
    WriteBitmapFile(table.Images(), 3, 100);
    WriteBitmapFile(table.Images(), 5, 999); // of another size than its record says
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += RecordLine("/p/one.jpg", 1, 100).toUtf8() + "\n"; // LF only, after a BOM
    bytes += QByteArray("\x00\x01\xFF\xFE binary\r\n", 13);    // junk
    bytes += "D,a deleted line\r\n";
    bytes += "T" + QByteArray(1024 * 1024, 'x') + "\r\n"; // a 1 MB line
    bytes += RecordLine("/p/two.jpg", 2, 100).toUtf8() + "\r\n";
    bytes += RecordLine("/p/dup.jpg", 2, 100).toUtf8() + "\r\n";  // the same bitmap again
    bytes += RecordLine("/p/gone.jpg", 4, 100).toUtf8() + "\r\n"; // no bitmap
    bytes += RecordLine("/p/size.jpg", 5, 100).toUtf8() + "\r\n"; // wrong bitmap size
    bytes += "T,\"unterminated,/p/x.jpg,1,2,3\r\n";
    bytes += "T,\"d t\",/p/n.jpg,x,512,512,1,1,,,\"d t\",1,,,\"d t\",100\r\n"; // not a number
    bytes += "T,\"d t\",/p/r.jpg,1234567,512,512,1,1,,,\"d t\",1,,,\"d t\",100\r\n";
    bytes += RecordLine("/p/three.jpg", 3, 100).toUtf8().left(60); // cut short
    bytes += "\r\n" + RecordLine("/p/three.jpg", 3, 100).toUtf8(); // no final line end
    WriteTable(bytes);
    TThTable loaded;
    loaded.SetCacheDir(dir.Path());
    QStringList names;
    for (int i = 0; i < loaded.Images().Count(); ++i) {
        names.append(loaded.Images().Image(i)->OrgFileName);
    }
    EXPECT_EQ(names, QStringList({"/p/one.jpg", "/p/two.jpg", "/p/three.jpg"}));
    EXPECT_EQ(loaded.Images().TotalSize, 300);
}

TEST_F(Table, AFailedSaveLeavesTheOldFileWholeAndSays) {
    AddStoredRecord(table.Images(), "/p/a.jpg", 0, 100);
    table.Images().Modified = true;
    table.SaveTable();
    const QByteArray saved = TableBytes();
    AddStoredRecord(table.Images(), "/p/b.jpg", 1, 100);
    table.Images().Modified = true;
    try {
        const FileSizeLimit full(saved.size() + 10); // the disk fills during the save
        table.SaveTable();
        FAIL() << "a failed save was reported as done";
    } catch (const EInOutError& error) {
        EXPECT_TRUE(error.Message().startsWith(
            QStringLiteral("ファイル \"%1\" への書き込み中").arg(table.TableFileName())))
            << error.what();
    }
    EXPECT_EQ(TableBytes(), saved);
    EXPECT_TRUE(table.Images().Modified); // still to be saved
}

TEST_F(Table, SwitchingFoldersSavesTheOldAndLoadsTheNew) {
    AddStoredRecord(table.Images(), "/p/a.jpg", 0, 100);
    table.Images().Modified = true;
    TempFolder other;
    table.SetCacheDir(other.Path());
    EXPECT_EQ(table.Images().Count(), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.Path() + "/_TDB0200/_TDBCache.dat"));
    table.SetCacheDir(dir.Path());
    EXPECT_EQ(Names(), QStringList({"/p/a.jpg"}));
    EXPECT_THROW(table.SetCacheDir(QString()), ECacheError);
}

TEST_F(Table, ClearingRemovesOnlyTheDataFolderAndOlderOnes) {
    AddStoredRecord(table.Images(), "/p/a.jpg", 0, 100);
    TempFolder keep;
    const QString precious = keep.Write("precious.jpg", "keep");
    dir.Write("_TDB0000/A00000/A0000001.bmp", "old");
    dir.Write("_TDB0100/A00000/A0000001.bmp", "old");
    dir.MakeDir("_TDB0050");
    ASSERT_TRUE(QFile::link(keep.Path(), dir.File("_TDB0050/link-out")));
    ASSERT_TRUE(QFile::link(keep.Path(), dir.File("_TDB0070"))); // an old name that is a link
    dir.MakeDir("_TDB0300");
    dir.MakeDir("photos");
    table.ClearCache();
    EXPECT_EQ(table.Images().Count(), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.File("_TDB0200")));
    EXPECT_FALSE(QFileInfo::exists(dir.File("_TDB0100")));
    EXPECT_FALSE(QFileInfo::exists(dir.File("_TDB0000")));
    EXPECT_FALSE(QFileInfo::exists(dir.File("_TDB0050")));
    EXPECT_FALSE(QFileInfo(dir.File("_TDB0070")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(dir.File("_TDB0300")));
    EXPECT_TRUE(QFileInfo::exists(dir.File("photos")));
    EXPECT_EQ(keep.Read(precious), QByteArray("keep"));
}

TEST_F(Table, TakingAFolderIntoUseDeletesTheOlderVersionsDataFolders) {
    TempFolder other;
    TempFolder keep;
    const QString precious = keep.Write("precious.jpg", "keep");
    other.Write("_TDB0100/A00000/A0000001.bmp", QByteArray(1000, 'x'));
    other.Write("_TDB0100/_TDBCache.dat", RecordLine("/p/a.jpg", 1, 1000).toUtf8());
    ASSERT_TRUE(QFile::link(keep.Path(), other.File("_TDB0050")));
    other.Write("_TDB0200/_TDBCache.dat", RecordLine("/p/b.jpg", 2, 100).toUtf8());
    other.Write("_TDB0200/A00000/A0000002.jpg", QByteArray(100, 'x'));
    table.SetCacheDir(other.Path());
    EXPECT_FALSE(QFileInfo::exists(other.File("_TDB0100")));
    EXPECT_FALSE(QFileInfo(other.File("_TDB0050")).isSymLink());
    EXPECT_EQ(keep.Read(precious), QByteArray("keep"));
    EXPECT_EQ(Names(), QStringList({"/p/b.jpg"})); // the present version's records stay

    other.MakeDir("_tdb0010"); // not named as ours: left, and the switch still happens
    table.SetCacheDir(dir.Path());
    table.SetCacheDir(other.Path());
    EXPECT_TRUE(QFileInfo::exists(other.File("_tdb0010")));
    EXPECT_EQ(table.GetCacheDir(), other.Path());
}

TEST_F(Table, AnOldFolderWithALowerCasePrefixIsRefusedAfterTheClear) {
    dir.MakeDir("_tdb0010");
    try {
        table.ClearCache();
        FAIL();
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("旧キャッシュ情報名が不正です。Dir=%1").arg(dir.File("_tdb0010")));
    }
    EXPECT_TRUE(QFileInfo::exists(dir.File("_tdb0010")));
}

TEST_F(Table, ALookupDropsARecordWhoseBitmapIsMissingOrUnreadable) {
    TempFolder pictures;
    const QString source = pictures.Write("a.jpg", "pretend");
    TPictureFacts facts;
    QString time;
    qint64 size = 0;
    ASSERT_TRUE(GetFileTimeSize(source, time, size));
    facts.FileTime = time;
    facts.FileSize = size;
    GetVolumeInfo(source, facts.VolLabel, facts.VolSer);
    QImage bitmap(20, 10, QImage::Format_RGB888);
    bitmap.fill(Qt::red);
    table.AddRecord(source, bitmap, facts, 512, 512);
    const std::optional<TThHit> hit = table.Lookup(source, 512, 512);
    ASSERT_TRUE(hit);
    EXPECT_LE(qAbs(qRed(hit->Bitmap.pixel(3, 3)) - 255), 2);
    EXPECT_EQ(hit->Facts, facts);
    EXPECT_FALSE(table.Lookup(source, 256, 256)); // another box

    const QByteArray whole = dir.Read(table.Images().Image(0)->BitmapFileName());
    // Empty, garbage, cut short, the end lost, missing: each is a miss that drops the record.
    for (const QByteArray& damage :
         {QByteArray(), QByteArray("BM garbage"), whole.left(whole.size() / 2),
          whole.left(whole.size() - 2), QByteArray("missing")}) {
        SCOPED_TRACE(damage.size());
        if (table.Images().Count() == 0) {
            table.AddRecord(source, bitmap, facts, 512, 512);
        }
        const QString path = table.Images().Image(0)->BitmapFileName();
        QFile::remove(path);
        if (damage != "missing") {
            dir.Write(path.mid(dir.Path().size() + 1), damage);
        }
        EXPECT_FALSE(table.Lookup(source, 512, 512));
        EXPECT_EQ(table.Images().Count(), 0);
    }
}
