#pragma once

#include <QString>

namespace mirte {

// Dir + "/" + Name, without doubling a trailing "/"; an empty Dir gives Name.
QString JoinPath(const QString& dir, const QString& name);

// The ASCII-lower-cased text after the last "." of the whole string; the whole string lower-cased
// when it has no ".".
QString ExtractExt(const QString& name);

// Where the program keeps a kind of file: beside the executable when that folder is a writable,
// portable copy; otherwise the per-user folders of the desktop.
enum class ProgramFolder {
    Settings, // Thumbnail.ini
    Cache,    // the default thumbnail cache ("Temp")
    Data,     // Debug.ini, Debug.txt, the trace file and the Log folder
};
QString ProgramFolderPath(ProgramFolder kind, const QString& exeDir);

} // namespace mirte
