// Walking a folder tree: what is listed and in what order, and what is left out and why.
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/folder_walk.h"

#include <QDir>
#include <QFile>
#include <climits>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

const QStringList Pictures = {"jpg", "png"};

class FolderWalkTest : public ::testing::Test {
protected:
    // The walk's files relative to the tree.
    QStringList Relative(const TFolderWalk& walk) const {
        QStringList names;
        for (const QString& path : walk.Files) {
            names << QDir(tree.Path()).relativeFilePath(path);
        }
        return names;
    }
    // The skipped paths relative to the tree, with the start of their reasons.
    QStringList SkippedPaths(const TFolderWalk& walk) const {
        QStringList paths;
        for (const TWalkSkip& skip : walk.Skipped) {
            EXPECT_FALSE(skip.Reason.isEmpty()) << skip.Path.toStdString();
            paths << QDir(tree.Path()).relativeFilePath(skip.Path);
        }
        return paths;
    }
    // Makes an entry whose name is the raw bytes (not necessarily valid text) in folder; it is
    // removed here, as the scratch folder's own removal cannot name it.
    void MakeRawEntry(const QString& folder, const QByteArray& name, bool dir) {
        const QByteArray path = QFile::encodeName(folder) + '/' + name;
        m_raw.emplace_back(path, dir);
        if (dir) {
            ASSERT_EQ(::mkdir(path.constData(), 0755), 0);
        } else {
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
            ASSERT_GE(fd, 0);
            ::close(fd);
        }
    }

    void TearDown() override {
        for (const auto& [path, dir] : m_raw) {
            dir ? ::rmdir(path.constData()) : ::unlink(path.constData());
        }
    }

    TempFolder tree;

private:
    std::vector<std::pair<QByteArray, bool>> m_raw;
};

TEST_F(FolderWalkTest, ListsTheTopFolderFirstThenEachSubfolderDepthFirstInNameOrder) {
    tree.Write("top.jpg", "1");
    tree.Write("b/b1.png", "1");
    tree.Write("b/b1.jpg", "1");
    tree.Write("a/x/deep.jpg", "1");
    tree.Write("a/a1.jpg", "1");
    tree.Write("a/notes.txt", "1");
    tree.MakeDir("empty");
    tree.Write(".hidden/secret.jpg", "1");
    tree.Write("b/.thumbs/t.jpg", "1");
    int reports = 0;
    const TFolderWalk walk =
        WalkFolderTree(tree.Path(), Pictures, {nullptr, [&](int folders, int files) {
                                                   ++reports;
                                                   EXPECT_EQ(folders, reports);
                                                   EXPECT_LE(files, 5);
                                               }});
    EXPECT_EQ(Relative(walk),
              QStringList({"top.jpg", "a/a1.jpg", "a/x/deep.jpg", "b/b1.jpg", "b/b1.png"}));
    EXPECT_EQ(walk.FolderCount, 5); // the top, a, a/x, b, empty: hidden ones are not walked
    EXPECT_EQ(reports, 5);
    EXPECT_TRUE(walk.Skipped.empty());
    EXPECT_FALSE(walk.Stopped);
}

TEST_F(FolderWalkTest, AFolderReachedTwiceThroughLinksIsListedOnce) {
    tree.Write("a/a1.jpg", "1");
    tree.Write("b/b1.jpg", "1");
    ASSERT_TRUE(QFile::link(tree.Path(), tree.File("a/up")));           // back to the top: a loop
    ASSERT_TRUE(QFile::link(tree.File("b"), tree.File("a/to-b")));      // b, first reached here
    ASSERT_TRUE(QFile::link(tree.File("a/self"), tree.File("a/self"))); // a link to itself
    ASSERT_TRUE(QFile::link(tree.File("gone"), tree.File("a/broken"))); // leads nowhere: ignored
    const TFolderWalk walk = WalkFolderTree(tree.Path(), Pictures);
    EXPECT_EQ(Relative(walk), QStringList({"a/a1.jpg", "a/to-b/b1.jpg"}));
    EXPECT_EQ(walk.FolderCount, 3);
    EXPECT_EQ(SkippedPaths(walk), QStringList({"a/self", "a/up", "b"}));
}

TEST_F(FolderWalkTest, LeavesOutNamesThatAreNotTextAndTellsWhy) {
    tree.Write("good.jpg", "1");
    MakeRawEntry(tree.Path(), "bad\xff.jpg", false);
    MakeRawEntry(tree.Path(), "bad\xfe", true);
    MakeRawEntry(tree.Path(), "ignored\xff.txt", false); // not a picture: not looked at
    const TFolderWalk walk = WalkFolderTree(tree.Path(), Pictures);
    EXPECT_EQ(Relative(walk), QStringList({"good.jpg"}));
    EXPECT_EQ(walk.Skipped.size(), 2u);
    EXPECT_EQ(walk.FolderCount, 1);
}

// Folders of 200 characters each, one inside the other, deeper than a path may be long; made
// and removed step by step from the working folder, as no path names the deepest ones.
class DeepFolders {
public:
    DeepFolders(const QString& top, int depth) : m_depth(depth) {
        const QByteArray back = QFile::encodeName(QDir::currentPath());
        EXPECT_EQ(::chdir(QFile::encodeName(top).constData()), 0);
        for (int i = 0; i < depth; ++i) {
            EXPECT_EQ(::mkdir(m_part.constData(), 0755), 0);
            EXPECT_EQ(::chdir(m_part.constData()), 0);
        }
        EXPECT_EQ(::chdir(back.constData()), 0);
        m_top = QFile::encodeName(top);
    }
    ~DeepFolders() {
        const QByteArray back = QFile::encodeName(QDir::currentPath());
        if (::chdir(m_top.constData()) == 0) {
            for (int i = 0; i < m_depth - 1 && ::chdir(m_part.constData()) == 0; ++i) {
            }
            for (int i = 0; i < m_depth; ++i) {
                ::rmdir(m_part.constData());
                if (::chdir("..") != 0) {
                    break;
                }
            }
        }
        (void)::chdir(back.constData());
    }
    DeepFolders(const DeepFolders&) = delete;
    DeepFolders& operator=(const DeepFolders&) = delete;

private:
    const QByteArray m_part = QByteArray(200, 'd');
    QByteArray m_top;
    int m_depth;
};

TEST_F(FolderWalkTest, LeavesOutAPathLongerThanTheSystemAllows) {
    const int depth = PATH_MAX / 201 + 2;
    const DeepFolders deep(tree.Path(), depth);
    tree.Write("top.jpg", "1");
    const TFolderWalk walk = WalkFolderTree(tree.Path(), Pictures);
    EXPECT_EQ(Relative(walk), QStringList({"top.jpg"}));
    ASSERT_EQ(walk.Skipped.size(), 1u);
    EXPECT_LT(walk.FolderCount, depth + 1);
    EXPECT_GE(QFile::encodeName(walk.Skipped.front().Path).size(), PATH_MAX - 201);
}

TEST_F(FolderWalkTest, AFolderThatCannotBeReadIsSkippedAndTheRestListed) {
    tree.Write("a/a1.jpg", "1");
    tree.Write("locked/l1.jpg", "1");
    tree.Write("z/z1.jpg", "1");
    // Removed after the walk saw its name, before it was opened.
    tree.Write("gone/g1.jpg", "1");
    const bool privileged = ::geteuid() == 0; // a privileged user reads every folder
    ASSERT_EQ(::chmod(QFile::encodeName(tree.File("locked")).constData(), 0), 0);
    const TFolderWalk walk =
        WalkFolderTree(tree.Path(), Pictures, {nullptr, [&](int folders, int) {
                                                   if (folders == 2) {
                                                       QDir(tree.File("gone")).removeRecursively();
                                                   }
                                               }});
    ::chmod(QFile::encodeName(tree.File("locked")).constData(), 0755);
    QStringList expected{"a/a1.jpg"};
    QStringList skipped{"gone"};
    (privileged ? expected : skipped) << (privileged ? "locked/l1.jpg" : "locked");
    expected << "z/z1.jpg";
    EXPECT_EQ(Relative(walk), expected);
    EXPECT_EQ(SkippedPaths(walk), skipped);
}

TEST_F(FolderWalkTest, StopsWhenAskedAndKeepsWhatWasListed) {
    tree.Write("a/a1.jpg", "1");
    tree.Write("b/b1.jpg", "1");
    int asked = 0;
    const TFolderWalk walk =
        WalkFolderTree(tree.Path(), Pictures, {[&] { return ++asked > 2; }, nullptr});
    EXPECT_TRUE(walk.Stopped);
    EXPECT_EQ(Relative(walk), QStringList({"a/a1.jpg"}));
    EXPECT_EQ(walk.FolderCount, 2);
}

TEST_F(FolderWalkTest, ARootThatCannotBeReadGivesOnlyItsReason) {
    const TFolderWalk walk = WalkFolderTree(tree.File("missing"), Pictures);
    EXPECT_TRUE(walk.Files.isEmpty());
    EXPECT_EQ(walk.FolderCount, 0);
    EXPECT_EQ(SkippedPaths(walk), QStringList({"missing"}));
}

} // namespace
