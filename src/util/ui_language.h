#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class QCoreApplication;

namespace mirte {

// The languages of the user interface. The program's texts are written in Japanese; English
// comes from the translation compiled into the program.
enum class TUiLanguage { Japanese, English };

// The `Language` setting's values; anything else counts as kUiLanguageAuto.
inline constexpr const char* kUiLanguageAuto = "auto";
inline constexpr const char* kUiLanguageJapanese = "ja";
inline constexpr const char* kUiLanguageEnglish = "en";

// The language for a setting ("auto", "ja", "en") and the desktop's languages in order of
// preference (QLocale::system().uiLanguages(): "ja-JP", "en-US", "C", ...). For "auto" the first
// desktop language the program has wins, as gettext picks from LANGUAGE; English when none.
TUiLanguage ChooseUiLanguage(QStringView setting, const QStringList& desktopLanguages);

// The same for the desktop's own languages, as Qt reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
TUiLanguage DesktopUiLanguage();

// Installs the program's translation and Qt's own texts (dialogs, buttons) for the language on
// the application, which owns them. Japanese needs no translation of the program's texts; Qt's
// Japanese ones are taken when installed. False when the program's English translation is
// missing, which leaves the Japanese texts.
bool InstallUiLanguage(TUiLanguage language, QCoreApplication& app);

// The language whose texts the program shows: Japanese until English was installed. Windows of
// fixed sizes made for the Japanese texts let a control grow in English where its text needs it.
TUiLanguage ShownUiLanguage();

} // namespace mirte
