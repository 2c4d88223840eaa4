#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/volume_info.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStorageInfo>
#include <gtest/gtest.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

struct Facts {
    QString label;
    QString serial;
    bool operator==(const Facts&) const = default;
};

Facts FactsOf(const QString& path) {
    Facts facts;
    EXPECT_TRUE(GetVolumeInfo(path, facts.label, facts.serial));
    return facts;
}

Facts FactsFromAnotherProcess(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral(MIRTE_VOLUME_PROBE), {path});
    EXPECT_TRUE(probe.waitForFinished(10000));
    const QStringList parts =
        QString::fromUtf8(probe.readAllStandardOutput()).chopped(1).split(QLatin1Char('\t'));
    return parts.size() == 2 ? Facts{parts[0], parts[1]} : Facts{};
}

} // namespace

TEST(VolumeSerial, IsWrittenAsTwoGroupsOfFourHexDigits) {
    EXPECT_EQ(FormatVolumeSerial(0x1A2B3C4D), QStringLiteral("1A2B-3C4D"));
    EXPECT_EQ(FormatVolumeSerial(0x0000ABCD), QStringLiteral("0000-ABCD"));
    quint32 serial = 0;
    ASSERT_TRUE(SerialFromUuid(u"1a2b-3c4d", serial)); // FAT
    EXPECT_EQ(serial, 0x1A2B3C4Du);
    ASSERT_TRUE(SerialFromUuid(u"0123456789ABCDEF", serial)); // NTFS: the low half
    EXPECT_EQ(serial, 0x89ABCDEFu);
    ASSERT_TRUE(SerialFromUuid(u"deadbeef-0000-4000-8000-000000000000", serial));
    EXPECT_EQ(serial, 0xDEADBEEFu);
    EXPECT_FALSE(SerialFromUuid(u"-", serial));
}

TEST(VolumeInfo, IsStableForTheSameFileSystemAcrossCallsAndProcesses) {
    TempFolder dir;
    const QString a = dir.Write("a.jpg", "1");
    const QString b = dir.Write("sub/b.jpg", "1");
    const Facts facts = FactsOf(a);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9A-F]{4}-[0-9A-F]{4}$"))
                    .match(facts.serial)
                    .hasMatch())
        << facts.serial.toStdString();
    EXPECT_EQ(FactsOf(a), facts);
    EXPECT_EQ(FactsOf(b), facts);
    EXPECT_EQ(FactsOf(dir.File("vanished.jpg")), facts); // the volume of its folder
    EXPECT_EQ(FactsFromAnotherProcess(a), facts);
    EXPECT_TRUE(SameVolume(b, facts.label, facts.serial));
    EXPECT_FALSE(SameVolume(b, facts.label, QStringLiteral("0000-0000")));
}

TEST(VolumeInfo, DiffersOnAnotherFileSystem) {
    const QString here = QDir::tempPath();
    const QString other = QStringLiteral("/dev/shm");
    if (!QDir(other).exists() || QStorageInfo(here).device() == QStorageInfo(other).device() ||
        QStorageInfo(here).rootPath() == QStorageInfo(other).rootPath()) {
        GTEST_SKIP() << "no second file system here";
    }
    TempFolder onOther(other);
    const QString file = onOther.Write("x.jpg", "1");
    EXPECT_NE(FactsOf(file), FactsOf(here));
    EXPECT_EQ(FactsFromAnotherProcess(file), FactsOf(file));
}

TEST(VolumeInfo, AnEmptyPathGivesEmptyTextsAndTrue) {
    const Facts facts = FactsOf(QString());
    EXPECT_TRUE(facts.label.isEmpty());
    EXPECT_TRUE(facts.serial.isEmpty());
}
