#pragma once

#include <QString>
#include <QStringList>

namespace mirte {

class TThumbnailDB;

// Whether the path names a movie, which is shown by its file type's icon and never decoded.
bool IsMovieFile(const QString& path);

// Empty facts but for the name and the path.
QStringList NamedInfo(const QString& path);

// The facts of a picture (TInfoEntry positions) from the cache. A picture whose facts cannot be
// read gets only its name and path; raises what the cache raises.
QStringList PictureFacts(TThumbnailDB& db, const QString& path);

// The facts of a movie from its directory entry; only name and path when the entry is gone.
QStringList MovieFacts(const QString& path);

} // namespace mirte
