#pragma once

#include "page_pictures.h"

#include <QImage>
#include <QString>

namespace mirte {

class TThumbnailDB;

// The picture a print layout shows for a file, and where it came from.
struct TPrintPicture {
    QImage Picture;        // null when there is none (a file gone, unreadable or undecodable)
    TPictureWant Original; // the picture file as it was when the thumbnail was made; no path
                           // for a movie or a failure
};

// The cache's thumbnail of a file (made and stored when it is missing), or the file type's icon
// for a movie. The cache must not be in use on another thread.
TPrintPicture FetchPrintPicture(TThumbnailDB& db, const QString& path);

} // namespace mirte
