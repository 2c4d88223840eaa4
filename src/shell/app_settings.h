#pragma once

#include "util/ui_language.h"

#include <QString>
#include <QtGlobal>

namespace mirte {

class IniFile;

// The program's own paths, computed once at start-up from where the executable lies.
struct TAppPaths {
    QString ExeName;         // full path of the running program
    QString ExeDir;          // its folder, with a trailing "/"
    QString IniFileName;     // Thumbnail.ini: beside the program when that is a portable copy
    QString DefaultCacheDir; // "Temp" beside a portable copy, else ~/.cache/mirte; no trailing "/"
    QString ReadMeFile; // ReadMe.txt (ReadMe.en.txt in English): the installed documents' folder,
                        // else beside the program

    static TAppPaths ForExecutable(const QString& exeName,
                                   TUiLanguage language = TUiLanguage::Japanese);
};

// The cache settings as the main window applies them.
struct TCacheSettings {
    QString Directory;
    qint64 MaxSizeKB = 0;
};

// Marks a new settings file: APP/APPName = "ミルテ" when the file does not exist yet.
void MarkNewSettingsFile(IniFile& ini);

// Reads the Cache section. A Directory that names no existing folder falls back to the default
// folder, which is written back unless the file is read-only, and created when missing. A Size
// of -1, or one that is not a sensible number, stands for the default computed from the free
// space of the cache folder's file system; the computed value is not written.
TCacheSettings ReadCacheSettings(IniFile& ini, const QString& defaultCacheDir);

// APP/Language: "auto" (the desktop's language), "ja" or "en"; "auto" when absent or unknown.
QString ReadUiLanguageSetting(const IniFile& ini);
// Writes it; raises EIniFileError when the file cannot be written.
void WriteUiLanguageSetting(IniFile& ini, const QString& value);

// The language of the user interface for the settings file and the desktop.
TUiLanguage UiLanguageFromSettings(const QString& iniFileName);

} // namespace mirte
