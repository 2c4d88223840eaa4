#include "support/file_size_limit.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "support/without_root.h"
#include "util/errors.h"
#include "util/text_file.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

QStringList ReadAll(const QString& path) {
    TInputTextFile file(path);
    file.Open();
    QStringList lines;
    while (!file.Eof()) {
        lines.append(file.ReadLine());
    }
    return lines;
}

} // namespace

TEST(TextFile, WritesCrLfAndReadsTheSameLinesBack) {
    TempFolder dir;
    const QStringList lines{QStringLiteral("写真 \"1\", a"), QString(), QStringLiteral("end")};
    const QString path = dir.File(QStringLiteral("sub/deeper/x.dat"));
    TOutputTextFile out(path);
    out.Open(); // creates the missing folders
    for (const QString& line : lines) {
        out.WriteLine(line);
    }
    out.Close();
    EXPECT_EQ(dir.Read(path), QStringLiteral("写真 \"1\", a\r\n\r\nend\r\n").toUtf8());
    EXPECT_EQ(ReadAll(path), lines);
}

TEST(TextFile, ReadsEveryKindOfLineEnd) {
    TempFolder dir;
    EXPECT_EQ(ReadAll(dir.Write("lf", "a\nb\n")), QStringList({"a", "b"}));
    EXPECT_EQ(ReadAll(dir.Write("cr", "a\rb\r")), QStringList({"a", "b"}));
    EXPECT_EQ(ReadAll(dir.Write("mixed", "a\r\n\nb\rc")), QStringList({"a", "", "b", "c"}));
    EXPECT_EQ(ReadAll(dir.Write("empty", "")), QStringList());
    EXPECT_EQ(ReadAll(dir.Write("bom", "\xEF\xBB\xBFx\r\n")), QStringList({"x"}));
}

TEST(TextFile, CrLfSplitAcrossTheReadBufferIsOneLineEnd) {
    TempFolder dir;
    for (int firstLength : {8190, 8191, 8192, 8193}) {
        const QByteArray first(firstLength, 'x');
        const QStringList lines = ReadAll(dir.Write("split", first + "\r\nnext\r\n"));
        ASSERT_EQ(lines.size(), 2) << firstLength;
        EXPECT_EQ(lines[0].size(), firstLength);
        EXPECT_EQ(lines[1], QStringLiteral("next"));
    }
}

TEST(TextFile, SurvivesHostileBytes) {
    TempFolder dir;
    const QStringList nul = ReadAll(dir.Write("nul", QByteArray("a\0b\r\n", 5)));
    ASSERT_EQ(nul.size(), 1);
    EXPECT_EQ(nul[0], QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));

    const QStringList bad = ReadAll(dir.Write("bad", "\xFF\xFEok\xC3\r\n"));
    ASSERT_EQ(bad.size(), 1);
    EXPECT_TRUE(bad[0].contains(QStringLiteral("ok")));
    EXPECT_TRUE(bad[0].contains(QChar::ReplacementCharacter));

    const QByteArray big(10 * 1024 * 1024, 'z');
    const QStringList long10 = ReadAll(dir.Write("long", big + "\r\nshort"));
    ASSERT_EQ(long10.size(), 2);
    EXPECT_EQ(long10[0].size(), big.size());
    EXPECT_EQ(long10[1], QStringLiteral("short"));
}

TEST(TextFile, ALineBeyondTheLimitIsAnErrorNotAnEndlessBuffer) {
    TempFolder dir;
    const QString path = dir.Write("huge", QByteArray(TInputTextFile::MaxLineBytes + 10, 'q'));
    TInputTextFile file(path);
    file.Open();
    EXPECT_THROW(file.ReadLine(), EInOutError);
}

TEST(TextFile, OpenErrorsCarryTheirMessages) {
    TempFolder dir;
    const QString missing = dir.File(QStringLiteral("nothing.dat"));
    TInputTextFile in(missing);
    try {
        in.Open();
        FAIL() << "opened a missing file";
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("ファイル \"%1\" が存在しません。").arg(missing));
    }
    TInputTextFile folder(dir.MakeDir(QStringLiteral("a folder")));
    EXPECT_THROW(folder.Open(), ECacheError);

    const QString blocked = dir.Write("plain", "x") + QStringLiteral("/under/file.dat");
    TOutputTextFile out(blocked);
    try {
        out.Open();
        FAIL() << "created a file below a file";
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("ファイル \"%1\" をオープンできません。").arg(blocked));
    }
}

TEST(TextFile, ReplacesAReadOnlyFile) {
    TempFolder dir;
    const QString path = dir.Write("ro.dat", "old\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    TOutputTextFile out(path);
    out.Open();
    out.WriteLine(QStringLiteral("new"));
    out.Close();
    EXPECT_EQ(dir.Read(path), QByteArray("new\r\n"));
}

TEST(TextFile, AFullDiskIsReportedNotSwallowedAndTheOldFileStays) {
    TempFolder dir;
    const QString path = dir.Write("table.dat", "old\r\n");
    {
        const test::FileSizeLimit full(4096);
        TOutputTextFile out(path);
        out.Open();
        EXPECT_THROW(
            {
                for (int i = 0; i < 10000; ++i) {
                    out.WriteLine(QStringLiteral("a line that must reach the disk"));
                }
                out.Close();
            },
            EInOutError);
    }
    // A file left unclosed replaces nothing either.
    TOutputTextFile(path).Open();
    EXPECT_EQ(dir.Read(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"table.dat"});
}

TEST(TextFile, UnreadableAndUnwritableFilesAreReportedWithoutRoot) {
    SKIP_AS_ROOT();
    TempFolder dir;
    const QString secret = dir.Write("secret.dat", "x\r\n");
    ASSERT_TRUE(QFile::setPermissions(secret, QFileDevice::Permissions()));
    TInputTextFile in(secret);
    try {
        in.Open();
        FAIL() << "read a file without permission";
    } catch (const ECacheError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("ファイル \"%1\" をオープンできません。").arg(secret));
    }
    const QString folder = dir.MakeDir("read-only");
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    TOutputTextFile out(folder + QStringLiteral("/new.dat"));
    EXPECT_THROW(out.Open(), ECacheError);
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
