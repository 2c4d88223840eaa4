#include "diag/debug_flags.h"
#include "support/gtest_qt.h"
#include "support/notice_recorder.h"
#include "support/temp_folder.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::NoticeRecorder;
using mirte::test::TempFolder;

namespace {

class DebugFlags : public ::testing::Test {
protected:
    void SetUp() override { SetDebugFlags(0); }
    void TearDown() override { SetDebugFlags(0); }
    TempFolder dir;
};

} // namespace

TEST_F(DebugFlags, WithoutDebugIniEverythingStaysOffAndNothingIsWritten) {
    LoadDebugFlags(dir.Path());
    for (int i = 0; i < DebugFlagCount; ++i) {
        EXPECT_FALSE(DebugFlagOn(static_cast<TDebugFlag>(i)));
    }
    EXPECT_FALSE(QFileInfo::exists(dir.File("Debug.txt")));
    EXPECT_FALSE(QFileInfo::exists(dir.File("Log")));
}

TEST_F(DebugFlags, ANonZeroNumberSwitchesOnAndAWordDoesNot) {
    dir.Write("Debug.ini", "[Debug]\nDebugLog=1\nDebugTitle=yes\nDebugTrace=-3\n"
                           "DebugFindTime=0\n[Other]\nDebugInfo=1\n");
    LoadDebugFlags(dir.Path());
    EXPECT_TRUE(DebugFlagOn(TDebugFlag::DebugLog));
    EXPECT_TRUE(DebugFlagOn(TDebugFlag::DebugTrace));
    EXPECT_FALSE(DebugFlagOn(TDebugFlag::DebugTitle));
    EXPECT_FALSE(DebugFlagOn(TDebugFlag::DebugFindTime));
    EXPECT_FALSE(DebugFlagOn(TDebugFlag::DebugInfo)); // only section Debug counts
    EXPECT_FALSE(QFileInfo::exists(dir.File("Debug.txt")));
}

TEST_F(DebugFlags, DebugInfoWritesNineLines) {
    dir.Write("Debug.ini", "[Debug]\nDebugInfo=1\nDebugRecStr=2\nDebugSaveRec=1\n");
    LoadDebugFlags(dir.Path());
    EXPECT_EQ(dir.Read("Debug.txt"),
              QByteArray("[Debug]\r\nDebugInfo=1\r\nDebugLog=0\r\nDebugTrace=0\r\n"
                         "DebugRecStr=1\r\nDebugTitle=0\r\nDebugLoadRec=0\r\n"
                         "DebugSaveRec=1\r\nDebugFindTime=0\r\n"));
}

TEST_F(DebugFlags, ADebugTxtThatCannotBeWrittenIsSkipped) {
    dir.Write("Debug.ini", "[Debug]\nDebugInfo=1\nDebugLog=1\n");
    dir.MakeDir("Debug.txt"); // a folder stands where the file should go
    NoticeRecorder notices;
    LoadDebugFlags(dir.Path());
    EXPECT_TRUE(DebugFlagOn(TDebugFlag::DebugLog));
    ASSERT_EQ(notices.Notices().size(), 1);
    EXPECT_TRUE(notices.Notices()[0].contains(QStringLiteral("をオープンできません。")));
}

TEST_F(DebugFlags, AGarbledDebugIniCountsAsOff) {
    dir.Write("Debug.ini", QByteArray("\xFF\xFE[Debug\n\0DebugLog=1\n", 22));
    LoadDebugFlags(dir.Path());
    EXPECT_EQ(mirte::DebugFlags(), 0u);
}
