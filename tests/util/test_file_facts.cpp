#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/date_time_text.h"
#include "util/file_facts.h"
#include "util/volume_info.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <utime.h>
#include <vector>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

void SetModified(const QString& path, const QDateTime& local) {
    utimbuf times{};
    times.actime = times.modtime = local.toSecsSinceEpoch();
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}

} // namespace

TEST(DateTimeText, IsFixedWhateverTheLocale) {
    const QDateTime value(QDate(2004, 1, 2), QTime(9, 5, 7));
    EXPECT_EQ(DateTimeToText(value), QStringLiteral("2004/01/02 09:05:07"));
    EXPECT_EQ(DateTimeToText(static_cast<std::time_t>(value.toSecsSinceEpoch())),
              QStringLiteral("2004/01/02 09:05:07"));
    const QLocale before;
    for (const auto language : {QLocale::Arabic, QLocale::Japanese, QLocale::German}) {
        QLocale::setDefault(QLocale(language));
        EXPECT_EQ(DateTimeToText(value), QStringLiteral("2004/01/02 09:05:07"));
    }
    QLocale::setDefault(before);
    EXPECT_EQ(DateTimeToText(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("2023/12/31 23:59:59"));
}

TEST(DateTimeText, GivesTheSameTextFromManyThreadsAtOnce) {
    const std::time_t base = QDateTime(QDate(2010, 6, 15), QTime(12, 0)).toSecsSinceEpoch();
    std::vector<QString> expected;
    for (int i = 0; i < 500; ++i) {
        expected.push_back(DateTimeToText(base + i * 3671));
    }
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int round = 0; round < 20; ++round) {
                for (int i = 0; i < 500; ++i) {
                    if (DateTimeToText(base + i * 3671) != expected[i]) {
                        ++mismatches;
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches.load(), 0);
}

TEST(FileFacts, GivesLocalTimeTextAndSize) {
    TempFolder dir;
    const QString path = dir.Write("a b,c.jpg", QByteArray(1234, 'x'));
    SetModified(path, QDateTime(QDate(2004, 1, 2), QTime(9, 5, 7)));
    QString time;
    qint64 size = -1;
    ASSERT_TRUE(GetFileTimeSize(path, time, size));
    EXPECT_EQ(time, QStringLiteral("2004/01/02 09:05:07"));
    EXPECT_EQ(size, 1234);
    EXPECT_TRUE(SameFileTimeSize(path, time, size));
    EXPECT_FALSE(SameFileTimeSize(path, time, size + 1));
    EXPECT_FALSE(SameFileTimeSize(path, QStringLiteral("2004/01/02 09:05:08"), size));
}

TEST(FileFacts, AMissingFileGivesFalseEmptyAndZero) {
    TempFolder dir;
    QString time = QStringLiteral("stale");
    qint64 size = 99;
    EXPECT_FALSE(GetFileTimeSize(dir.File("missing.jpg"), time, size));
    EXPECT_TRUE(time.isEmpty());
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(SameFileTimeSize(dir.File("missing.jpg"), QString(), 0));
}

TEST(FileFacts, SizesBeyondTwoGigabytesStayPositive) {
    TempFolder dir;
    const QString path = dir.Write("big.tif", "");
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const off_t threeGb = off_t{3} * 1024 * 1024 * 1024;
    const int truncated = ::ftruncate(fd, threeGb); // sparse: takes no disk space
    ::close(fd);
    ASSERT_EQ(truncated, 0);
    QString time;
    qint64 size = 0;
    ASSERT_TRUE(GetFileTimeSize(path, time, size));
    EXPECT_EQ(size, threeGb);
}

TEST(FileFacts, FileExistsExactIsFalseForFoldersAndMissingNames) {
    TempFolder dir;
    EXPECT_TRUE(FileExistsExact(dir.Write("x.JPG", "1")));
    EXPECT_FALSE(FileExistsExact(dir.File("x.jpg"))); // names are exact on Linux
    EXPECT_FALSE(FileExistsExact(dir.MakeDir("folder.jpg")));
    EXPECT_FALSE(FileExistsExact(dir.File("none")));
    EXPECT_FALSE(FileExistsExact(QString()));
}

TEST(FileFacts, SameFileFactsAgreesWithItsTwoParts) {
    TempFolder dir;
    const QString path = dir.Write("a.jpg", "12345");
    QString time, label, serial;
    qint64 size = 0;
    ASSERT_TRUE(GetFileTimeSize(path, time, size));
    GetVolumeInfo(path, label, serial);
    EXPECT_TRUE(SameFileFacts(path, time, size, label, serial));
    EXPECT_FALSE(SameFileFacts(path, time, size + 1, label, serial));
    EXPECT_FALSE(SameFileFacts(path, time + "x", size, label, serial));
    EXPECT_FALSE(SameFileFacts(path, time, size, label, "0000-0000"));
    EXPECT_FALSE(SameFileFacts(dir.File("gone.jpg"), time, size, label, serial));
    EXPECT_FALSE(SameFileFacts(QString(), time, size, label, serial));
}
