#pragma once

#include <QString>

namespace mirte {

// Dir + "/" + Name, without doubling a trailing "/"; an empty Dir gives Name.
QString JoinPath(const QString& dir, const QString& name);

// The ASCII-lower-cased text after the last "." of the whole string; the whole string lower-cased
// when it has no ".".
QString ExtractExt(const QString& name);

// Where the program runs from, which decides where it keeps its files.
enum class ProgramPlace {
    Installed, // under its install prefix (a package, `cmake --install`): files per user
    Portable,  // a build folder or a copy in a folder it may write: files beside it
    ReadOnly,  // a copy in a folder it may not write: files per user
};
// Installed: the folder is the install's folder of programs, lies under /usr/, or is the "bin"
// of an install tree (its shared data holds the program's desktop entry). Decided by the place
// and not only by the rights, so that root never writes beside an installed program.
ProgramPlace PlaceOfProgram(const QString& exeDir);

// Where the program keeps a kind of file, for the program in exeDir: beside a portable copy;
// otherwise the per-user folders of the desktop (XDG base directories).
enum class ProgramFolder {
    Settings,  // Thumbnail.ini: beside it, else ~/.config/mirte
    Cache,     // the default thumbnail cache: "Temp" beside it, else ~/.cache/mirte
    Data,      // Debug.ini, Debug.txt, the trace file, the Log folder: beside it, else
               // $XDG_STATE_HOME/mirte (~/.local/state/mirte)
    Documents, // ReadMe.txt: the install's documents folder, else beside the program
};
QString ProgramFolderPath(ProgramFolder kind, const QString& exeDir);

} // namespace mirte
