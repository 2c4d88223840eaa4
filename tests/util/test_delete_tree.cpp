#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/delete_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

void Chmod(const QString& path, mode_t mode) {
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

bool Exists(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

TEST(DeleteTree, RemovesEverythingReadOnlyAndHiddenToo) {
    TempFolder dir;
    const QString tree = dir.MakeDir("_TDB0100");
    Chmod(dir.Write("_TDB0100/A00000/A0000001.bmp", "x"), 0444);
    dir.Write("_TDB0100/_TDBCache.dat", "x");
    dir.Write("_TDB0100/.hidden", "x");
    dir.Write("_TDB0100/A00001/deep/er/file", "x");
    Chmod(tree + "/A00001/deep", 0555);
    Chmod(tree + "/A00000", 0500);
    DeleteTree(tree);
    EXPECT_FALSE(Exists(tree));
    EXPECT_TRUE(QDir(dir.Path()).exists());
}

TEST(DeleteTree, NeverFollowsALinkOutOfTheTree) {
    TempFolder dir;
    const QString outside = dir.MakeDir("outside");
    const QString precious = dir.Write("outside/precious.jpg", "keep me");
    const QString tree = dir.MakeDir("tree");
    ASSERT_TRUE(QFile::link(outside, tree + "/link-to-folder"));
    ASSERT_TRUE(QFile::link(precious, tree + "/link-to-file"));
    ASSERT_TRUE(QFile::link(tree + "/missing", tree + "/broken"));
    ASSERT_TRUE(QFile::link(tree + "/loop", tree + "/loop"));
    DeleteTree(tree);
    EXPECT_FALSE(Exists(tree));
    EXPECT_EQ(dir.Read(precious), QByteArray("keep me"));
    EXPECT_TRUE(QFileInfo(outside).isDir());
}

TEST(DeleteTree, ALinkGivenAsTheTreeIsRemovedAsALink) {
    TempFolder dir;
    const QString outside = dir.MakeDir("outside");
    dir.Write("outside/a.jpg", "x");
    const QString link = dir.File("link");
    ASSERT_TRUE(QFile::link(outside, link));
    DeleteTree(link);
    EXPECT_FALSE(Exists(link));
    EXPECT_TRUE(Exists(outside + "/a.jpg"));
}

TEST(DeleteTree, LeavesFilesAndMissingPathsAlone) {
    TempFolder dir;
    const QString file = dir.Write("not-a-folder.jpg", "x");
    DeleteTree(file);
    EXPECT_TRUE(Exists(file));
    DeleteTree(dir.File("missing"));
    DeleteTree(QString());
    EXPECT_TRUE(QDir(dir.Path()).exists());
}

TEST(DeleteTree, SurvivesATreeDeeperThanItsLimit) {
    TempFolder dir;
    QString path = dir.MakeDir("deep");
    const QString top = path;
    for (int i = 0; i < 300; ++i) {
        path += QStringLiteral("/d");
    }
    ASSERT_TRUE(QDir().mkpath(path));
    DeleteTree(top); // must neither crash nor run out of descriptors
    EXPECT_TRUE(QDir(dir.Path()).exists());
}
