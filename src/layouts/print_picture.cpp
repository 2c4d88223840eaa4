#include "print_picture.h"

#include "cache/icon_bitmap.h"
#include "cache/item_facts.h"
#include "cache/thumbnail_db.h"

namespace mirte {

QImage FetchPrintPicture(TThumbnailDB& db, const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (IsMovieFile(path)) {
        return MakeIconBitmap(path);
    }
    // A picture that cannot be read leaves its cell without one; the run goes on.
    return db.Thumbnail(path).Picture;
}

} // namespace mirte
