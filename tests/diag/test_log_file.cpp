#include "diag/debug_flags.h"
#include "diag/diagnostics.h"
#include "diag/log_file.h"
#include "diag/th_debug_log.h"
#include "diag/version_info.h"
#include "generated/mirte_version.h"
#include "support/gtest_qt.h"
#include "support/notice_recorder.h"
#include "support/temp_folder.h"
#include "util/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::NoticeRecorder;
using mirte::test::TempFolder;

namespace {

const QString Stamp = QStringLiteral("\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}");
const QString TimeOfDay = QStringLiteral("\\d{2}:\\d{2}:\\d{2}\\.\\d{3}");

QStringList LinesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

bool Matches(const QString& pattern, const QString& text) {
    return QRegularExpression(QStringLiteral("^") + pattern + QStringLiteral("$"))
        .match(text)
        .hasMatch();
}

// A fake program folder: the program and two libraries beside it.
struct ProgramFolder {
    TempFolder dir;
    QString exe = dir.Write("mirte", "#!");
    ProgramFolder() {
        dir.Write("libz.so.1", "x");
        dir.Write("libA.so", "x");
        dir.Write("notes.txt", "x");
    }
};

class LogFile : public ::testing::Test {
protected:
    void TearDown() override { SetDebugFlags(0); }
    ProgramFolder program;
    NoticeRecorder notices;
};

} // namespace

TEST_F(LogFile, WritesStartModulesMessagesAndEnd) {
    TLogFile log(program.exe);
    log.Open(program.dir.File("Log/A"));
    ASSERT_TRUE(log.IsOpen());
    EXPECT_TRUE(Matches(QStringLiteral("A\\d{10}\\.log"), QFileInfo(log.LogPath()).fileName()));
    EXPECT_EQ(log.LogDir(), program.dir.File("Log"));
    log.Write(QStringLiteral("設定 Saveカウント上限=%1 予約個数=%2").arg(1000000).arg(1000));
    log.Close();
    log.Write(QStringLiteral("after the end")); // counted as lost, not written

    const QStringList lines = LinesOf(log.LogPath());
    ASSERT_EQ(lines.size(), 6);
    EXPECT_TRUE(Matches(QStringLiteral("ログ開始  ") + QStringLiteral(MIRTE_VERSION) +
                            QStringLiteral(" ") + Stamp,
                        lines[0]))
        << lines[0].toStdString();
    EXPECT_TRUE(Matches(TimeOfDay + QStringLiteral("   mirte            ") + Stamp, lines[1]))
        << lines[1].toStdString();
    EXPECT_TRUE(Matches(QStringLiteral("\t   libA\\.so          ") + Stamp, lines[2]));
    EXPECT_TRUE(Matches(QStringLiteral("\t   libz\\.so\\.1        ") + Stamp, lines[3]));
    EXPECT_TRUE(Matches(
        TimeOfDay + QStringLiteral("   設定 Saveカウント上限=1000000 予約個数=1000"), lines[4]));
    EXPECT_TRUE(Matches(QStringLiteral("ログ終了 ") + Stamp, lines[5]));
    EXPECT_EQ(log.LostCount(), 1);
    // The log names the user's pictures: its folder and file are its owner's alone.
    EXPECT_EQ(QFileInfo(log.LogDir()).permissions() & 0x0777,
              QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    EXPECT_EQ(QFileInfo(log.LogPath()).permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser);
}

TEST_F(LogFile, AnUncreatableFolderIsReportedThenFourLostMessagesThenSilence) {
    const QString blocker = program.dir.Write("Log", "a file, not a folder");
    TLogFile log(program.exe);
    log.Open(blocker + QStringLiteral("/A"));
    EXPECT_FALSE(log.IsOpen());
    for (int i = 1; i <= 6; ++i) {
        log.Write(QStringLiteral("message %1").arg(i));
    }
    const QStringList seen = notices.Notices();
    ASSERT_EQ(seen.size(), 5);
    EXPECT_TRUE(seen[0].startsWith(
        QStringLiteral("ログファイルパス \"%1\" が不正です。詳細：").arg(blocker)))
        << seen[0].toStdString();
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(seen[i],
                  QStringLiteral("以下のメッセージが出力されましたがログが開かれていません。"
                                 "\r\n\r\n  message %1")
                      .arg(i));
    }
    EXPECT_EQ(log.LostCount(), 6);
}

TEST_F(LogFile, AnEmptyPathIsReported) {
    TLogFile log(program.exe);
    log.Open(QString());
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(notices.Notices(), QStringList({QStringLiteral("空白のログパスが指定されました。")}));
}

TEST_F(LogFile, AFailedWriteClosesTheLogWithANotice) {
    TLogFile log(program.exe);
    log.Open(program.dir.File("Log/A"));
    ASSERT_TRUE(log.IsOpen());
    const QString path = log.LogPath();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path)); // the file is now a folder and cannot be appended to
    log.Write(QStringLiteral("lost"));
    EXPECT_FALSE(log.IsOpen());
    ASSERT_EQ(notices.Notices().size(), 1);
    EXPECT_TRUE(notices.Notices()[0].startsWith(
        QStringLiteral("ログ出力中にエラーが発生しました。\r\nファイル名：%1\r\n詳細：")
            .arg(path)));
    log.Close(); // writes nothing more, reports nothing more
    EXPECT_EQ(notices.Notices().size(), 1);
}

TEST_F(LogFile, TheGateWritesOnlyWhileDebugLogIsOn) {
    TLogFile log(program.exe);
    TThDebugLog gate(log);
    SetDebugFlags(0);
    gate.Open(program.dir.File("Log/A"));
    gate.WriteF("%s=%d", "ignored", 1);
    EXPECT_FALSE(QFileInfo::exists(program.dir.File("Log")));
    EXPECT_TRUE(notices.Notices().isEmpty()); // off is off: not even counted as lost
    EXPECT_EQ(log.LostCount(), 0);

    SetDebugFlags(1u << static_cast<int>(TDebugFlag::DebugLog));
    gate.Open(program.dir.File("Log/A"));
    gate.WriteF("%s=%d", "件数", 20000);
    const QStringList lines = LinesOf(log.LogPath());
    EXPECT_TRUE(Matches(TimeOfDay + QStringLiteral("   件数=20000"), lines.last()));
}

TEST_F(LogFile, DiagnosticsRunFromDebugIniToTheLastLine) {
    program.dir.Write("Debug.ini", "[Debug]\nDebugLog=1\nDebugTrace=1\n");
    QString logPath;
    {
        TDiagnostics diagnostics(program.dir.Path(), program.exe);
        EXPECT_TRUE(diagnostics.Trace().IsOpen());
        diagnostics.ThDebugLog().Open(program.dir.File("Log/A"));
        diagnostics.ThDebugLog().Write(QStringLiteral("hello"));
        logPath = diagnostics.Log().LogPath();
    }
    const QStringList lines = LinesOf(logPath);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(Matches(QStringLiteral("ログ終了 ") + Stamp, lines.last()));
    EXPECT_EQ(program.dir.Read("DebugTrace.dbg"), QByteArray("***** End of Trace *****\r\n"));
    EXPECT_FALSE(QFileInfo::exists(program.dir.File("Debug.txt")));
}

TEST(VersionInfo, GivesTheCompiledVersionAndFailsForAMissingFile) {
    TempFolder dir;
    const TVersionInfo info(dir.Write("mirte", "x"));
    EXPECT_EQ(info.GetValue("FileVersion"), QStringLiteral(MIRTE_VERSION));
    EXPECT_EQ(info.GetValue("Nothing"), QString());
    try {
        TVersionInfo missing(dir.File("gone"));
        FAIL() << "a missing file has no version";
    } catch (const ECacheError& error) {
        EXPECT_TRUE(error.Message().startsWith(
            QStringLiteral("\"%1\"のバージョン情報のサイズを取得できません。詳細:")
                .arg(dir.File("gone"))));
    }
}
