#include "app_settings.h"

#include "cache_settings.h"
#include "util/ini_file.h"
#include "util/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace mirte {

namespace {

const QString kSectionApp = QStringLiteral("APP");
const QString kLanguageKey = QStringLiteral("Language");

} // namespace

TAppPaths TAppPaths::ForExecutable(const QString& exeName, TUiLanguage language) {
    TAppPaths paths;
    paths.ExeName = exeName;
    paths.ExeDir = QFileInfo(exeName).absolutePath();
    if (!paths.ExeDir.endsWith(QLatin1Char('/'))) {
        paths.ExeDir += QLatin1Char('/');
    }
    paths.IniFileName = JoinPath(ProgramFolderPath(ProgramFolder::Settings, paths.ExeDir),
                                 QStringLiteral("Thumbnail.ini"));
    paths.DefaultCacheDir = ProgramFolderPath(ProgramFolder::Cache, paths.ExeDir);
    paths.ReadMeFile = JoinPath(ProgramFolderPath(ProgramFolder::Documents, paths.ExeDir),
                                language == TUiLanguage::English ? QStringLiteral("ReadMe.en.txt")
                                                                 : QStringLiteral("ReadMe.txt"));
    return paths;
}

void MarkNewSettingsFile(IniFile& ini) {
    if (ini.Exists()) {
        return;
    }
    // The per-user settings folder may not exist yet on a first start.
    QDir().mkpath(QFileInfo(ini.FileName()).absolutePath());
    try {
        ini.WriteString(kSectionApp, QStringLiteral("APPName"), QStringLiteral("ミルテ"));
    } catch (const EIniFileError&) {
        // A place we may not write to: the program runs with its defaults.
    }
}

TCacheSettings ReadCacheSettings(IniFile& ini, const QString& defaultCacheDir) {
    TCacheSettings settings;
    settings.Directory = ReadCacheDirectory(ini, defaultCacheDir);
    settings.MaxSizeKB = ReadCacheSizeKB(ini, settings.Directory);
    return settings;
}

QString ReadUiLanguageSetting(const IniFile& ini) {
    QString value = ini.ReadString(kSectionApp, kLanguageKey, QString()).trimmed();
    for (const char* known : {kUiLanguageJapanese, kUiLanguageEnglish}) {
        if (value == QLatin1String(known)) {
            return value;
        }
    }
    return QString::fromLatin1(kUiLanguageAuto);
}

void WriteUiLanguageSetting(IniFile& ini, const QString& value) {
    ini.WriteString(kSectionApp, kLanguageKey, value);
}

TUiLanguage UiLanguageFromSettings(const QString& iniFileName) {
    const IniFile ini(iniFileName);
    return ChooseUiLanguage(ReadUiLanguageSetting(ini), QLocale::system().uiLanguages());
}

} // namespace mirte
