#pragma once

#include <QByteArray>
#include <QString>

namespace mirte {

// The file system type (as the kernel names it) is one of the kernel's own views (proc, sysfs,
// devtmpfs, cgroup ...): its files are made up as they are read, and it holds nothing of ours.
bool IsPseudoFileSystemType(const QByteArray& type);

// The path (or, when it does not exist yet, its nearest existing folder) lies on a file system
// that can keep files: not a pseudo one.
bool IsOnOrdinaryFileSystem(const QString& path);

} // namespace mirte
