#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/list_files.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

const QStringList Pictures = {"jpg", "jpeg", "tif", "tiff"};

} // namespace

TEST(ListFiles, ListsEachFileOnceUnderItsOwnExtension) {
    TempFolder dir;
    dir.Write("a.JPG", "1");
    dir.Write("b.jpeg", "1");
    dir.Write("c.tiff", "1");
    dir.Write("d.txt", "1");
    dir.MakeDir("folder.jpg");
    EXPECT_EQ(ListFiles(dir.Path(), Pictures), QStringList({"a.JPG", "b.jpeg", "c.tiff"}));
}

TEST(ListFiles, GroupsByExtensionInTheGivenOrder) {
    TempFolder dir;
    dir.Write("1.png", "1");
    dir.Write("2.bmp", "1");
    dir.Write("3.avi", "1");
    dir.Write("4.png", "1");
    QStringList names = ListFiles(dir.Path(), {"avi", "png", "bmp", "png"});
    ASSERT_EQ(names.size(), 4); // an extension named twice adds nothing
    EXPECT_EQ(names[0], QStringLiteral("3.avi"));
    EXPECT_EQ(QSet<QString>(names.begin() + 1, names.begin() + 3),
              QSet<QString>({"1.png", "4.png"}));
    EXPECT_EQ(names[3], QStringLiteral("2.bmp"));
}

TEST(ListFiles, TakesOnlyRegularFilesAndOddNames) {
    TempFolder dir;
    const QString real = dir.Write("real.jpg", "1");
    const QString odd = QStringLiteral("a b, \"q\"\n写真.jpg");
    dir.Write(odd, "1");
    ASSERT_TRUE(QFile::link(real, dir.File("alias.jpg")));
    ASSERT_TRUE(QFile::link(dir.File("nowhere"), dir.File("broken.jpg")));
    dir.Write(".hidden.jpg", "1");
    QStringList names = ListFiles(dir.Path(), {"jpg"});
    names.sort();
    EXPECT_EQ(names, QStringList({odd, "alias.jpg", "real.jpg"}));
    EXPECT_TRUE(ListFiles(dir.File("missing"), {"jpg"}).isEmpty());
}
