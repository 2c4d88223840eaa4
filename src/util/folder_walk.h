#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace mirte {

// Something the walk of a tree left out, and why (in the program's words).
struct TWalkSkip {
    QString Path;
    QString Reason;
};

// A folder and every folder below it, listed.
struct TFolderWalk {
    // Full paths: the folder's own files first, then each subfolder's, depth first, subfolders
    // in name order; each folder's files grouped by extension as ListFiles gives them.
    QStringList Files;
    int FolderCount = 0; // folders listed, the top one included
    std::vector<TWalkSkip> Skipped;
    bool Stopped = false; // Stop said so: Files holds what was listed until then
};

struct TWalkHooks {
    // Asked before each folder and now and then within a large one; true ends the walk.
    std::function<bool()> Stop;
    // After each folder: the folders and files listed so far.
    std::function<void(int folders, int files)> Progress;
};

// Lists the files of `root` and of every folder below it whose extension, lower-cased, is one
// of `extensions`. Folders whose names begin with "." are left out, as ListFiles leaves out
// such files. A link to a folder is followed, but a folder reached a second time (through a
// link, or a link loop) is listed once. A folder that cannot be read, a name that is not valid
// in the file system's encoding and a path longer than the system allows are left out, each
// with its reason in Skipped. A root that cannot be read gives nothing but its skip.
TFolderWalk WalkFolderTree(const QString& root, const QStringList& extensions,
                           const TWalkHooks& hooks = {});

} // namespace mirte
