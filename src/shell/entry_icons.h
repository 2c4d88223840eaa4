#pragma once

class QAbstractFileIconProvider;

namespace mirte {

// Icons and type names of a folder tree's entries, from the directory entry alone. Qt's own
// provider asks the MIME database for each file's type, which reads the file's first bytes on
// the GUI thread for every file of a listed folder, shown or not; a read of /proc/kmsg never
// returns. One for the program, for the life of the program.
QAbstractFileIconProvider& EntryIcons();

} // namespace mirte
