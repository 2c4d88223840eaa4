#include "print_picture.h"

#include "cache/icon_bitmap.h"
#include "cache/item_facts.h"
#include "cache/thumbnail_db.h"

namespace mirte {

TPrintPicture FetchPrintPicture(TThumbnailDB& db, const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (IsMovieFile(path)) {
        return {MakeIconBitmap(path), {}};
    }
    // A picture that cannot be read leaves its cell without one; the run goes on.
    const TThumbnail thumbnail = db.Thumbnail(path);
    if (!thumbnail.Ok()) {
        return {};
    }
    TPictureWant original;
    original.Path = path;
    original.Picture = QSize(thumbnail.Facts.Width, thumbnail.Facts.Height);
    original.FileTime = thumbnail.Facts.FileTime;
    original.FileSize = thumbnail.Facts.FileSize;
    return {thumbnail.Picture, original};
}

} // namespace mirte
