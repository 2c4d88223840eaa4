#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "support/without_root.h"
#include "util/dir_list.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

struct Seen {
    QStringList names;
    QStringList kinds; // "d" folder, "f" regular file, "o" other (broken link, ...)
};

Seen Walk(TDirList& list) {
    Seen seen;
    while (list.Next()) {
        seen.names.append(list.Name());
        seen.kinds.append(list.IsDir() ? "d" : list.IsRegular() ? "f" : "o");
    }
    return seen;
}

} // namespace

TEST(DirList, GivesFoldersFirstThenFilesAndSkipsDotNames) {
    TempFolder dir;
    dir.Write("b.jpg", "1");
    dir.MakeDir("sub");
    dir.Write(".hidden", "1");
    dir.MakeDir(".cache");
    dir.Write("a b, \"c\"\n.png", "1");
    TDirList list(dir.Path());
    const Seen seen = Walk(list);
    ASSERT_EQ(seen.names.size(), 3);
    EXPECT_EQ(seen.names[0], QStringLiteral("sub"));
    EXPECT_EQ(seen.kinds, QStringList({"d", "f", "f"}));
    EXPECT_TRUE(seen.names.contains(QStringLiteral("a b, \"c\"\n.png")));
    EXPECT_FALSE(list.Next()); // stays finished
}

TEST(DirList, MaskMatchesWithoutCaseAndOnlyItsExtensionLength) {
    TempFolder dir;
    dir.Write("a.exe", "1");
    dir.Write("B.EXE", "1");
    dir.Write("c.exe2", "1");
    dir.Write("d.txt", "1");
    dir.MakeDir("folder.txt");
    TDirList list(dir.Path());
    list.SetMask(QStringLiteral("*.exe"));
    Seen seen = Walk(list);
    seen.names.sort();
    EXPECT_EQ(seen.names, QStringList({"B.EXE", "a.exe", "folder.txt"})); // folders ignore the mask

    list.SetMask(QStringLiteral("*.exe*")); // a "*" in the extension lifts the length rule
    seen = Walk(list);
    EXPECT_EQ(seen.names.size(), 4);
}

TEST(DirList, DescribesTheFolderBeforeTheFirstAndAfterTheLastEntry) {
    TempFolder dir;
    const QString folder = dir.MakeDir("photos");
    dir.Write("photos/x.jpg", "1");
    TDirList list(folder);
    EXPECT_TRUE(list.IsDir());
    EXPECT_EQ(list.Name(), QStringLiteral("photos"));
    EXPECT_EQ(list.FullName(), folder);
    ASSERT_TRUE(list.Next());
    EXPECT_FALSE(list.IsDir());
    EXPECT_EQ(list.FullName(), folder + QStringLiteral("/x.jpg"));
    EXPECT_FALSE(list.Next());
    EXPECT_EQ(list.FullName(), folder);
    EXPECT_EQ(TDirList(QStringLiteral("/")).Name(), QStringLiteral("/"));
}

TEST(DirList, MissingVanishedAndUnreadableFoldersYieldNothing) {
    TempFolder dir;
    TDirList missing(dir.File("none"));
    EXPECT_FALSE(missing.Next());

    const QString gone = dir.MakeDir("gone");
    dir.Write("gone/a.jpg", "1");
    TDirList vanished(gone);
    QDir(gone).removeRecursively(); // vanishes before the listing starts
    EXPECT_FALSE(vanished.Next());

    TDirList aFile(dir.Write("file.jpg", "1"));
    EXPECT_FALSE(aFile.Next());
}

TEST(DirList, LinksCountAsWhatTheyPointToAndLoopsDoNotHang) {
    TempFolder dir;
    const QString target = dir.Write("real.jpg", "1");
    const QString folder = dir.MakeDir("list");
    ASSERT_TRUE(QFile::link(target, folder + "/to-file.jpg"));
    ASSERT_TRUE(QFile::link(dir.Path(), folder + "/to-folder"));
    ASSERT_TRUE(QFile::link(folder + "/nowhere", folder + "/broken.jpg"));
    ASSERT_TRUE(QFile::link(folder + "/loop-b", folder + "/loop-a"));
    ASSERT_TRUE(QFile::link(folder + "/loop-a", folder + "/loop-b"));
    TDirList list(folder);
    const Seen seen = Walk(list);
    ASSERT_EQ(seen.names.size(), 5);
    for (int i = 0; i < seen.names.size(); ++i) {
        const QString& name = seen.names[i];
        const QString expected = name == "to-folder" ? "d" : name == "to-file.jpg" ? "f" : "o";
        EXPECT_EQ(seen.kinds[i], expected) << name.toStdString();
    }
}

TEST(FileList, SortsWithoutCaseAndGivesFullNames) {
    TempFolder dir;
    for (const char* name : {"b.jpg", "A.jpg", "a.jpg", "C.jpg"}) {
        dir.Write(name, "1");
    }
    dir.MakeDir("Zeta");
    dir.MakeDir("alpha");
    const TFileList list(dir.Path());
    ASSERT_EQ(list.FileCount(), 4);
    EXPECT_EQ(list.FileName(0), dir.File("A.jpg"));
    EXPECT_EQ(list.FileName(1), dir.File("a.jpg"));
    EXPECT_EQ(list.FileName(2), dir.File("b.jpg"));
    EXPECT_EQ(list.FileName(3), dir.File("C.jpg"));
    EXPECT_EQ(list.FileName(4), QString());
    EXPECT_EQ(list.FileName(-1), QString());
    ASSERT_EQ(list.DirCount(), 2);
    EXPECT_EQ(list.DirName(0), dir.File("alpha"));
}

TEST(HasDirEntries, CountsEverythingButDotNames) {
    TempFolder dir;
    EXPECT_FALSE(HasDirEntries(dir.Path()));
    dir.Write(".only-dots", "1");
    EXPECT_FALSE(HasDirEntries(dir.Path()));
    dir.MakeDir("A00012");
    EXPECT_TRUE(HasDirEntries(dir.Path()));
    EXPECT_FALSE(HasDirEntries(dir.File("missing")));
}

TEST(DirList, AnUnreadableFolderYieldsNothingWithoutRoot) {
    SKIP_AS_ROOT();
    TempFolder dir;
    const QString locked = dir.MakeDir("locked");
    dir.Write("locked/a.jpg", "1");
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::Permissions()));
    TDirList list(locked);
    EXPECT_FALSE(list.Next());
    EXPECT_FALSE(HasDirEntries(locked));
    // ...which those that must tell it from an empty folder ask first.
    EXPECT_EQ(FolderOpenError(locked), EACCES);
    EXPECT_EQ(FolderErrorText(EACCES), QStringLiteral("フォルダを読み取る権限がありません。"));
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(DirList, AFolderThatCannotBeListedSaysWhy) {
    TempFolder dir;
    const struct {
        QString path;
        int error;
        const char* text;
    } rows[] = {
        {dir.MakeDir("empty"), 0, nullptr},
        {dir.File("missing"), ENOENT, "フォルダが存在しません。"},
        {dir.Write("file.jpg", "x"), ENOTDIR, "フォルダではありません。"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        EXPECT_EQ(FolderOpenError(row.path), row.error);
        if (row.text != nullptr) {
            EXPECT_EQ(FolderErrorText(row.error), QString::fromUtf8(row.text));
        }
    }
    // An error without words of its own gives the system's after the program's.
    EXPECT_TRUE(
        FolderErrorText(ELOOP).startsWith(QStringLiteral("フォルダを読み込めません。詳細：")));
}
