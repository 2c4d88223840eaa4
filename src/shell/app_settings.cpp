#include "app_settings.h"

#include "cache_settings.h"
#include "util/ini_file.h"
#include "util/paths.h"

#include <QDir>
#include <QFileInfo>

namespace mirte {

namespace {

const QString kSectionApp = QStringLiteral("APP");

} // namespace

TAppPaths TAppPaths::ForExecutable(const QString& exeName) {
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
                                QStringLiteral("ReadMe.txt"));
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

} // namespace mirte
