#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mirte;
using mirte::test::TempFolder;

namespace {

const QString App = QStringLiteral("APP");
const QString Cache = QStringLiteral("Cache");

} // namespace

TEST(IniFile, ReadsWithDefaultsAndWithoutRegardToCase) {
    TempFolder dir;
    const QString path = dir.Write("Thumbnail.ini", "[app]\r\nAPPNAME = ミルテ \r\n"
                                                    "[Cache]\r\nSize=256000\r\nDebug=yes\r\n"
                                                    "On=1\r\nOff=0\r\nNeg=-5\r\n");
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadString(App, "APPName", "x"), QStringLiteral("ミルテ"));
    EXPECT_EQ(ini.ReadString(App, "Missing", "fallback"), QStringLiteral("fallback"));
    EXPECT_EQ(ini.ReadInteger("CACHE", "size", -1), 256000);
    EXPECT_EQ(ini.ReadInteger(Cache, "Debug", 7), 7); // "yes" is no number
    EXPECT_EQ(ini.ReadInteger(Cache, "Neg", 0), -5);
    EXPECT_TRUE(ini.ReadBool(Cache, "On", false));
    EXPECT_FALSE(ini.ReadBool(Cache, "Off", true));
    EXPECT_TRUE(ini.ReadBool(Cache, "Debug", true));
    EXPECT_FALSE(ini.ReadBool(Cache, "Debug", false));
    EXPECT_TRUE(ini.SectionExists("CaChE"));
    EXPECT_TRUE(ini.ValueExists(Cache, "SIZE"));
    EXPECT_FALSE(ini.ValueExists(App, "Size"));
}

TEST(IniFile, TheFirstOfDuplicateSectionsAndKeysCounts) {
    TempFolder dir;
    const QString path = dir.Write("d.ini", "[A]\nk=1\nk=2\n[B]\nk=3\n[a]\nk=4\nj=5");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("A", "k", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "j", 0), 0); // only in the second [a]
    EXPECT_EQ(ini.ReadInteger("B", "k", 0), 3);
    ini.WriteInteger("A", "k", 9);
    EXPECT_EQ(dir.Read(path),
              QByteArray("[A]\r\nk=9\r\nk=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nj=5\r\n"));
}

TEST(IniFile, KeepsTheFilesOrderAndStrayLinesAndAppendsNewKeysInOrder) {
    TempFolder dir;
    const QString path = dir.Write("o.ini", "; comment\n[Cache]\nDirectory=/tmp/c\n\n"
                                            "garbage line\n\n[PrintJacket]\nTitle=x\n");
    IniFile ini(path);
    ini.WriteInteger(Cache, "Size", 1024);
    ini.WriteString("PrintJacket", "Comment", "b");
    ini.WriteString("New", "First", "1");
    ini.WriteString("New", "Second", "2");
    EXPECT_EQ(dir.Read(path),
              QByteArray("; comment\r\n[Cache]\r\nDirectory=/tmp/c\r\n\r\ngarbage line\r\n"
                         "Size=1024\r\n\r\n[PrintJacket]\r\nTitle=x\r\nComment=b\r\n"
                         "[New]\r\nFirst=1\r\nSecond=2\r\n"));
    const IniFile again(path);
    EXPECT_EQ(again.ReadInteger(Cache, "Size", 0), 1024);
    EXPECT_EQ(again.ReadString(Cache, "Directory", ""), QStringLiteral("/tmp/c"));
}

TEST(IniFile, CreatesAMissingFileAndKeepsValuesOnOneLine) {
    TempFolder dir;
    IniFile ini(dir.File("conf/Thumbnail.ini"));
    EXPECT_FALSE(ini.Exists());
    EXPECT_FALSE(ini.IsReadOnly());
    ini.WriteString(App, "APPName", "ミルテ");
    ini.WriteString(App, "Title", "two\r\nlines\n[Evil]\nk=v");
    ini.WriteBool(App, "Flag", true);
    const IniFile again(ini.FileName());
    EXPECT_EQ(again.ReadString(App, "APPName", ""), QStringLiteral("ミルテ"));
    EXPECT_EQ(again.ReadString(App, "Title", ""), QStringLiteral("two  lines [Evil] k=v"));
    EXPECT_FALSE(again.SectionExists("Evil"));
    EXPECT_EQ(again.ReadString(App, "Flag", ""), QStringLiteral("1"));
}

TEST(IniFile, EraseSectionRemovesEveryCopyAndNothingElse) {
    TempFolder dir;
    const QString path =
        dir.Write("e.ini", "[PrintThumbnail]\nA=1\n[APP]\nB=2\n[printthumbnail]\nC=3\n");
    IniFile ini(path);
    ini.EraseSection("PrintThumbnail");
    EXPECT_EQ(dir.Read(path), QByteArray("[APP]\r\nB=2\r\n"));
    EXPECT_FALSE(ini.SectionExists("PrintThumbnail"));
    ini.EraseSection("NotThere"); // nothing to do, nothing written
    EXPECT_EQ(dir.Read(path), QByteArray("[APP]\r\nB=2\r\n"));
}

TEST(IniFile, AReadOnlyFileIsNeverWritten) {
    TempFolder dir;
    const QByteArray original("[Cache]\nSize=5\n");
    const QString path = dir.Write("ro.ini", original);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    IniFile ini(path);
    EXPECT_TRUE(ini.IsReadOnly());
    ini.WriteInteger(Cache, "Size", 6);
    ini.EraseSection(Cache);
    EXPECT_EQ(dir.Read(path), original);
    EXPECT_EQ(ini.ReadInteger(Cache, "Size", 0), 5);
}

TEST(IniFile, AFailedWriteRaisesAndLeavesTheFileAsItWasWithoutRoot) {
    TempFolder dir;
    const QByteArray original("[Cache]\r\nSize=5\r\n");
    // A file the program could not read is never replaced by what little it knows.
    const QString bigPath = dir.Write("big.ini", QByteArray(IniFile::MaxFileBytes + 1, 'x'));
    IniFile big(bigPath);
    EXPECT_THROW(big.WriteString(App, "k", "v"), EIniFileError);
    EXPECT_EQ(QFileInfo(bigPath).size(), IniFile::MaxFileBytes + 1);

    // The file stays whole when its folder refuses the new copy (a full or read-only disk).
    const QString roFolder = dir.MakeDir("rofs");
    const QString inRo = dir.Write("rofs/s.ini", original);
    IniFile blocked(inRo);
    ASSERT_EQ(::chmod(QFile::encodeName(roFolder).constData(), 0555), 0);
    if (::geteuid() == 0) {
        // root may write anywhere; a name that cannot become a folder still makes the save fail
        IniFile impossible(dir.Write("plain", "x") + "/below/s.ini");
        EXPECT_THROW(impossible.WriteString(App, "k", "v"), EIniFileError);
    } else {
        EXPECT_THROW(blocked.WriteInteger(Cache, "Size", 6), EIniFileError);
        EXPECT_EQ(dir.Read(inRo), original);
        EXPECT_EQ(blocked.ReadInteger(Cache, "Size", 0), 5);
    }
    ::chmod(QFile::encodeName(roFolder).constData(), 0755);
}

TEST(IniFile, KeepsItsPermissionsAndBytesItCannotDecode) {
    TempFolder dir;
    const QString path = dir.Write("p.ini", "[X]\nodd=\xFF\xFE\nk=1\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    IniFile ini(path);
    ini.WriteInteger("X", "k", 2);
    EXPECT_EQ(dir.Read(path), QByteArray("[X]\r\nodd=\xFF\xFE\r\nk=2\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(IniFile, ToleratesGarbageAndOddLineEnds) {
    TempFolder dir;
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF=nokey\r[Sec\r]\r\n[S]\r") +
                             QByteArray("k\0x=1\r", 6) +
                             QByteArray("=\r[S2]k=2\nnoequals\n[S]\nk=3");
    const QString path = dir.Write("g.ini", bytes);
    const IniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("S", "k", 0), 0);  // the key is "k\0x"
    EXPECT_EQ(ini.ReadInteger("S2", "k", 0), 0); // "[S2]k=2" is a section line
    EXPECT_EQ(ini.ReadString("S", "k", "none"), QStringLiteral("none"));
}
