#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/errors.h"
#include "util/replace_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace mirte;
using mirte::test::TempFolder;

// A process id that no process has any more.
pid_t GoneProcess() {
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ::waitpid(gone, nullptr, 0);
    return gone;
}

// What a killed writer of the file left beside it goes with the next write; a running
// writer's and another file's stay.
TEST(ReplaceFile, ReplacesAsAWholeAndLeavesNothingBeside) {
    TempFolder dir;
    const QString path = dir.Write("a.bmp", "old contents");
    const pid_t gone = GoneProcess();
    const QString running = QStringLiteral(".a.bmp.%1.0.new").arg(::getppid());
    const QString otherFile = QStringLiteral(".other.bmp.%1.0.new").arg(gone);
    for (const QString& name : {QStringLiteral(".a.bmp.%1.3.new").arg(gone), running, otherFile}) {
        dir.Write(name, "half a file");
    }
    for (const bool sync : {false, true}) {
        ReplaceFile(path, QByteArray(70000, sync ? 's' : 'n'), sync);
        EXPECT_EQ(dir.Read(path), QByteArray(70000, sync ? 's' : 'n'));
    }
    ReplaceFile(dir.File("new.bmp"), "fresh", false);
    EXPECT_EQ(dir.Read("new.bmp"), QByteArray("fresh"));
    // A private file stays private; a link stays a link, its file replaced.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(QFile::link(path, dir.File("link.bmp")));
    ReplaceFile(dir.File("link.bmp"), "through the link", true);
    EXPECT_TRUE(QFileInfo(dir.File("link.bmp")).isSymLink());
    EXPECT_EQ(dir.Read(path), QByteArray("through the link"));
    EXPECT_EQ(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList({running, otherFile, "a.bmp", "link.bmp", "new.bmp"}));
}

TEST(ReplaceFile, WritersOfOneFileAtTheSameTimeEachReplaceItWhole) {
    TempFolder dir;
    const QString path = dir.File("table.dat");
    std::atomic<int> failures{0};
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i) {
                try {
                    ReplaceFile(path, QByteArray(200000, char('a' + t)), false);
                } catch (const EInOutError&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(failures.load(), 0);
    const QByteArray bytes = dir.Read(path);
    ASSERT_EQ(bytes.size(), 200000);
    EXPECT_EQ(bytes.count(bytes[0]), bytes.size()); // one writer's bytes, whole
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"table.dat"});
}

TEST(ReplaceFile, AFailureLeavesTheOldFileAndNoDebris) {
    TempFolder dir;
    const QString folder = dir.MakeDir("in-the-way"); // a folder cannot be replaced by a file
    dir.Write("in-the-way/inside", "keep");
    EXPECT_THROW(ReplaceFile(folder, "bytes", false), EInOutError);
    EXPECT_EQ(dir.Read("in-the-way/inside"), QByteArray("keep"));
    EXPECT_THROW(ReplaceFile(dir.File("missing/x.bmp"), "bytes", false), EInOutError);
    const QString pipe = dir.File("pipe"); // nor is anything but a file
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_THROW(ReplaceFile(pipe, "bytes", false), EInOutError);
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}
