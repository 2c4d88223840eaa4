#pragma once

#include <QImage>
#include <QString>

namespace mirte {

class TThumbnailDB;

// The picture a print layout shows for a file: the cache's thumbnail (made and stored when it
// is missing), or the file type's icon for a movie. Printing never decodes more than the cache
// does: the print shows the thumbnail's resolution. A null image when there is none (a file
// gone, unreadable or undecodable). The cache must not be in use on another thread.
QImage FetchPrintPicture(TThumbnailDB& db, const QString& path);

} // namespace mirte
