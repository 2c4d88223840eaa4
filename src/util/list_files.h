#pragma once

#include <QString>
#include <QStringList>

namespace mirte {

// The names (without folder) of the folder's regular files whose extension, lower-cased, is one
// of the given ones: grouped by extension in the given order, each file once.
QStringList ListFiles(const QString& folder, const QStringList& extensions);
// The same files as full paths (folder, "/", name).
QStringList ListFilePaths(const QString& folder, const QStringList& extensions);

} // namespace mirte
