#pragma once

#include <QString>
#include <sys/types.h>

namespace mirte {

// Who may read what the program writes. The cache's thumbnails, its management file and lock,
// and the logs are small copies of private photos and their paths: only their owner reads them
// (folders 0700, files 0600, as the desktop's thumbnail standard asks for the same reason).
// Everything else follows the umask.
enum class TFileAccess { Shared, Private };

// The mode a new file is made with (the umask may take more away).
mode_t NewFileMode(TFileAccess access);

// Makes a folder and the missing folders above it; those it makes for a private path are 0700.
// A folder that exists keeps its mode. False when the folder is not there afterwards.
bool MakeFolderPath(const QString& path, TFileAccess access);

} // namespace mirte
