// Section [PrintThumbnail] of Thumbnail.ini: the defaults, the keys in their order, and every
// spoilt value falling back to its default.
#include "layouts/index_card_settings.h"
#include "support/gtest_qt.h"
#include "support/temp_folder.h"
#include "util/ini_file.h"

#include <gtest/gtest.h>

namespace mirte {
namespace {

TEST(IndexCardSettings, AMissingSectionGivesTheDefaults) {
    test::TempFolder dir;
    const IniFile ini(dir.File(QStringLiteral("Thumbnail.ini")));
    const TIndexCardSettings s = ReadIndexCardSettings(ini);
    EXPECT_EQ(s, index_card::Defaults());
    EXPECT_EQ(s.Layout, 5);
    EXPECT_EQ(s.LabelColor, QColor(153, 153, 255));
    EXPECT_EQ(s.TitleFont.Size, 18);
    EXPECT_EQ(s.TitleFont.Name, QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(s.TitleFont.Charset, 128);
    EXPECT_EQ(s.FileFontSize, QStringLiteral(" 6"));
    EXPECT_TRUE(s.ShowFileName);
    EXPECT_EQ(index_card::LayoutCaption(5), QStringLiteral(" 6 x 6"));
    EXPECT_EQ(index_card::CellsPerSide(0), 1);
    EXPECT_EQ(index_card::CellsPerSide(9), 10);
}

TEST(IndexCardSettings, WritesEveryKeyInOrderAndReadsThemBack) {
    test::TempFolder dir;
    IniFile ini(dir.File(QStringLiteral("Thumbnail.ini")));
    TIndexCardSettings s = index_card::Defaults();
    s.Layout = 9;
    s.LabelColor = QColor(1, 2, 3);
    s.Title = QStringLiteral("夏休み 2026 & \"旅\"");
    s.TitleFont = {QStringLiteral("IPAPMincho"), 22, true, true, true, true, QColor(255, 0, 0), 1};
    s.FileFontSize = QStringLiteral(" 12");
    s.ShowFileName = false;
    WriteIndexCardSettings(ini, s);
    EXPECT_EQ(ReadIndexCardSettings(IniFile(ini.FileName())), s);
    const QByteArray text = dir.Read(QStringLiteral("Thumbnail.ini"));
    const QStringList keys{"Layout",   "BackColor",    "Title",      "FontColor",  "FontName",
                           "FontSize", "FontStyleB",   "FontStyleI", "FontStyleU", "FontStyleS",
                           "FontChar", "FileFontSize", "FNShow"};
    qsizetype at = 0;
    for (const QString& key : keys) {
        const qsizetype next = text.indexOf(key.toUtf8() + '=', at);
        ASSERT_GE(next, at) << key.toStdString();
        at = next;
    }
    EXPECT_TRUE(text.contains("BackColor=197121\r\n") || text.contains("BackColor=197121\n"));
}

TEST(IndexCardSettings, SpoiltValuesFallBackToTheirDefaults) {
    struct Row {
        const char* key;
        const char* value;
    };
    const Row rows[] = {{"Layout", "-1"},       {"Layout", "10"},          {"Layout", "six"},
                        {"BackColor", "-1"},    {"BackColor", "99999999"}, {"FontColor", "-1"},
                        {"FontSize", "0"},      {"FontSize", "9999"},      {"FontName", ""},
                        {"FontChar", "300"},    {"FileFontSize", "0"},     {"FileFontSize", "abc"},
                        {"FileFontSize", "29"}, {"FNShow", "yes"},         {"FontStyleB", "bold"}};
    for (const Row& row : rows) {
        test::TempFolder dir;
        const QString path =
            dir.Write(QStringLiteral("Thumbnail.ini"),
                      QByteArray("[PrintThumbnail]\r\n") + row.key + "=" + row.value + "\r\n");
        EXPECT_EQ(ReadIndexCardSettings(IniFile(path)), index_card::Defaults())
            << row.key << "=" << row.value;
    }
    // An unknown face is kept: the font system draws it with its nearest font.
    test::TempFolder dir;
    const QString path = dir.Write(QStringLiteral("Thumbnail.ini"),
                                   "[PrintThumbnail]\nFontName=No Such Font\nFileFontSize=28\n");
    const TIndexCardSettings s = ReadIndexCardSettings(IniFile(path));
    EXPECT_EQ(s.TitleFont.Name, QStringLiteral("No Such Font"));
    EXPECT_EQ(s.FileFontSize, QStringLiteral(" 28"));
}

TEST(IndexCardSettings, AReadOnlyFileIsNeverWritten) {
    test::TempFolder dir;
    const QString path = dir.Write(QStringLiteral("Thumbnail.ini"), "[APP]\nAPPName=ミルテ\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    IniFile ini(path);
    if (!ini.IsReadOnly()) {
        GTEST_SKIP() << "root writes every file";
    }
    WriteIndexCardSettings(ini, index_card::Defaults());
    EXPECT_EQ(dir.Read(QStringLiteral("Thumbnail.ini")), QByteArray("[APP]\nAPPName=ミルテ\n"));
}

} // namespace
} // namespace mirte
