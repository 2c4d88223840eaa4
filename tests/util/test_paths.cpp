#include "generated/mirte_install.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/common_text.h"
#include "util/paths.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

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

// Where the program keeps its files, by where it runs from; the per-user folders follow the
// XDG variables, which each test points into its scratch folder.
class ProgramFolders : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
            m_saved.emplace_back(name, qgetenv(name));
        }
        qputenv("HOME", home.Path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.File("config").toUtf8());
        qputenv("XDG_CACHE_HOME", home.File("cache").toUtf8());
        qputenv("XDG_STATE_HOME", home.File("state").toUtf8());
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
        }
    }
    // An install tree under the scratch folder: tree/bin beside tree/share with the entry.
    QString InstallTree() const {
        home.Write("tree/share/applications/" MIRTE_APP_ID ".desktop", "[Desktop Entry]\n");
        return home.MakeDir("tree/bin");
    }

    test::TempFolder home;

private:
    std::vector<std::pair<const char*, QByteArray>> m_saved;
};

TEST_F(ProgramFolders, FollowWhereTheProgramRunsFrom) {
    const QString build = home.MakeDir("build/src/shell");
    const QString tree = InstallTree();
    const QString perUser[] = {home.File("config/mirte"), home.File("cache/mirte"),
                               home.File("state/mirte")};
    struct Row {
        QString exeDir;
        ProgramPlace place;
        QString settings, cache, data, documents;
    } rows[] = {
        {build, ProgramPlace::Portable, build, build + "/Temp", build, build},
        {tree, ProgramPlace::Installed, perUser[0], perUser[1], perUser[2],
         home.File("tree/share/doc/mirte")},
        // root may write /usr/bin, and still never gets a Thumbnail.ini or Temp there.
        {"/usr/bin", ProgramPlace::Installed, perUser[0], perUser[1], perUser[2],
         "/usr/share/doc/mirte"},
        {"/no/such/folder", ProgramPlace::ReadOnly, perUser[0], perUser[1], perUser[2],
         "/no/such/folder"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exeDir.toStdString());
        EXPECT_EQ(PlaceOfProgram(row.exeDir), row.place);
        EXPECT_EQ(ProgramFolderPath(ProgramFolder::Settings, row.exeDir), row.settings);
        EXPECT_EQ(ProgramFolderPath(ProgramFolder::Cache, row.exeDir), row.cache);
        EXPECT_EQ(ProgramFolderPath(ProgramFolder::Data, row.exeDir), row.data);
        EXPECT_EQ(ProgramFolderPath(ProgramFolder::Documents, row.exeDir), row.documents);
    }
}

TEST_F(ProgramFolders, StateFallsBackToTheHomesLocalState) {
    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(ProgramFolderPath(ProgramFolder::Data, "/usr/bin"), home.File(".local/state/mirte"));
}
