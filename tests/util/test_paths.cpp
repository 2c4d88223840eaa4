#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/common_text.h"
#include "util/paths.h"

#include <gtest/gtest.h>

using namespace mirte;

TEST(JoinPath, AddsOneSeparatorOnlyWhereNeeded) {
    EXPECT_EQ(JoinPath("/", "x"), QStringLiteral("/x"));
    EXPECT_EQ(JoinPath("/tmp", "x"), QStringLiteral("/tmp/x"));
    EXPECT_EQ(JoinPath("/tmp/", "x"), QStringLiteral("/tmp/x"));
    EXPECT_EQ(JoinPath("", "x"), QStringLiteral("x"));
    EXPECT_EQ(JoinPath("/写真", "表"), QStringLiteral("/写真/表"));
}

TEST(ExtractExt, LowerCasesTheTextAfterTheLastDot) {
    EXPECT_EQ(ExtractExt("/photos/IMG_0001.JPG"), QStringLiteral("jpg"));
    EXPECT_EQ(ExtractExt("readme"), QStringLiteral("readme"));
    EXPECT_EQ(ExtractExt("a.tar.GZ"), QStringLiteral("gz"));
    EXPECT_EQ(ExtractExt("name."), QString());
    EXPECT_EQ(ExtractExt("写真.ＪＰＧ"), QStringLiteral("ＪＰＧ")); // only ASCII is lower-cased
}

TEST(JoinText, PutsBAfterA) {
    EXPECT_EQ(JoinText("ミル", "テ"), QStringLiteral("ミルテ"));
    EXPECT_EQ(JoinText("", ""), QString());
}

TEST(ProgramFolder, IsBesideAWritableProgramElsePerUser) {
    mirte::test::TempFolder dir;
    EXPECT_EQ(ProgramFolderPath(ProgramFolder::Settings, dir.Path()), dir.Path());
    const QString installed = ProgramFolderPath(ProgramFolder::Settings, "/usr/bin");
    EXPECT_TRUE(installed.endsWith(QStringLiteral("/mirte")));
    EXPECT_FALSE(installed.startsWith(QStringLiteral("/usr/")));
    EXPECT_NE(ProgramFolderPath(ProgramFolder::Cache, "/usr/bin"), installed);
}
