#include "app_settings.h"

#include "util/cache_size.h"
#include "util/ini_file.h"
#include "util/paths.h"

#include <QDir>
#include <QFileInfo>

namespace mirte {

namespace {

const QString kSectionApp = QStringLiteral("APP");
const QString kSectionCache = QStringLiteral("Cache");

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
    paths.DefaultCacheDir =
        JoinPath(ProgramFolderPath(ProgramFolder::Cache, paths.ExeDir), QStringLiteral("Temp"));
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
    settings.Directory =
        ini.ReadString(kSectionCache, QStringLiteral("Directory"), defaultCacheDir);
    if (settings.Directory.isEmpty() || !QFileInfo(settings.Directory).isDir()) {
        if (!ini.IsReadOnly()) {
            try {
                ini.WriteString(kSectionCache, QStringLiteral("Directory"), defaultCacheDir);
            } catch (const EIniFileError&) {
                // Not stored: the fallback is made again at the next start.
            }
        }
        settings.Directory = defaultCacheDir;
        QDir().mkpath(settings.Directory);
    }

    const int size = ini.ReadInteger(kSectionCache, QStringLiteral("Size"), -1);
    // -1 means "computed"; any other negative value is a damaged file and means the same.
    if (size < 0) {
        settings.MaxSizeKB = qint64(DefaultCacheSizeMB(settings.Directory)) * 1024;
    } else {
        settings.MaxSizeKB = size;
    }
    return settings;
}

} // namespace mirte
