#pragma once

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
    QString ReadMeFile;      // ReadMe.txt: the installed documents' folder, else beside the program

    static TAppPaths ForExecutable(const QString& exeName);
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

} // namespace mirte
