#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/errors.h"
#include "util/replace_file.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::TempFolder;

TEST(ReplaceFile, ReplacesAsAWholeAndLeavesNothingBeside) {
    TempFolder dir;
    const QString path = dir.Write("a.bmp", "old contents");
    for (const bool sync : {false, true}) {
        ReplaceFile(path, QByteArray(70000, sync ? 's' : 'n'), sync);
        EXPECT_EQ(dir.Read(path), QByteArray(70000, sync ? 's' : 'n'));
    }
    ReplaceFile(dir.File("new.bmp"), "fresh", false);
    EXPECT_EQ(dir.Read("new.bmp"), QByteArray("fresh"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList({"a.bmp", "new.bmp"}));
}

TEST(ReplaceFile, AFailureLeavesTheOldFileAndNoDebris) {
    TempFolder dir;
    const QString folder = dir.MakeDir("in-the-way"); // a folder cannot be replaced by a file
    dir.Write("in-the-way/inside", "keep");
    EXPECT_THROW(ReplaceFile(folder, "bytes", false), EInOutError);
    EXPECT_EQ(dir.Read("in-the-way/inside"), QByteArray("keep"));
    EXPECT_THROW(ReplaceFile(dir.File("missing/x.bmp"), "bytes", false), EInOutError);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList());
}
