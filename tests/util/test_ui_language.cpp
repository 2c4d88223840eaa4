// The user interface's language: the choice from the setting and the desktop, and the compiled-in
// translation.
#include "util/dir_list.h"
#include "util/ui_language.h"

#include <QCoreApplication>
#include <cerrno>
#include <gtest/gtest.h>

namespace mirte {
namespace {

struct LanguageRow {
    const char* Setting;
    QStringList Desktop;
    TUiLanguage Expected;
};

class UiLanguageChoice : public testing::TestWithParam<LanguageRow> {};

TEST_P(UiLanguageChoice, FollowsTheSettingElseTheFirstDesktopLanguageItHas) {
    const LanguageRow& row = GetParam();
    EXPECT_EQ(ChooseUiLanguage(QString::fromLatin1(row.Setting), row.Desktop), row.Expected);
}

using L = TUiLanguage;
INSTANTIATE_TEST_SUITE_P(
    Rows, UiLanguageChoice,
    testing::Values(
        LanguageRow{"auto", {"ja-JP", "ja-Jpan-JP", "ja"}, L::Japanese},
        LanguageRow{"auto", {"en-US", "en"}, L::English}, LanguageRow{"auto", {"C"}, L::English},
        LanguageRow{"auto", {}, L::English}, LanguageRow{"auto", {"de-DE", "de"}, L::English},
        // LANGUAGE=fr:ja: French is not there, Japanese is.
        LanguageRow{"auto", {"fr", "fr-FR", "ja", "ja-JP"}, L::Japanese},
        LanguageRow{"auto", {"fr", "en-GB", "ja"}, L::English},
        LanguageRow{"auto", {"JA_jp.UTF-8"}, L::Japanese},
        LanguageRow{"auto", {"jam"}, L::English}, // Jamaican Creole is not Japanese
        LanguageRow{"ja", {"en-US"}, L::Japanese}, LanguageRow{"en", {"ja-JP"}, L::English},
        LanguageRow{"", {"ja-JP"}, L::Japanese}, LanguageRow{"klingon", {"en-US"}, L::English}));

// The texts of one application object: Japanese as written, English from the translation.
struct InstallRow {
    TUiLanguage Language;
    bool SourceText;
};

class UiLanguageInstall : public testing::TestWithParam<InstallRow> {};

TEST_P(UiLanguageInstall, TranslatesTheProgramsTextsOnlyForEnglish) {
    int argc = 1;
    char name[] = "test_util";
    char* argv[] = {name, nullptr};
    const QString japanese = FolderErrorText(ENOENT);
    QCoreApplication app(argc, argv);
    ASSERT_TRUE(InstallUiLanguage(GetParam().Language, app));
    const QString shown = FolderErrorText(ENOENT);
    if (GetParam().SourceText) {
        EXPECT_EQ(shown, japanese);
    } else {
        EXPECT_NE(shown, japanese);
        EXPECT_FALSE(shown.isEmpty());
        for (const QChar c : shown) {
            EXPECT_LT(c.unicode(), 0x80) << qPrintable(shown);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, UiLanguageInstall,
                         testing::Values(InstallRow{TUiLanguage::Japanese, true},
                                         InstallRow{TUiLanguage::English, false}),
                         [](const testing::TestParamInfo<InstallRow>& info) {
                             return info.param.SourceText ? "Japanese" : "English";
                         });

} // namespace
} // namespace mirte
