#include "print_picture.h"

#include "cache/icon_bitmap.h"
#include "cache/item_facts.h"
#include "cache/thumbnail_db.h"

#include <exception>

namespace mirte {

QImage FetchPrintPicture(TThumbnailDB& db, const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (IsMovieFile(path)) {
        return MakeIconBitmap(path);
    }
    try {
        if (db.GetThumbnail(path)) {
            return db.ThumbnailInfo.Bitmap; // shared: the cache never writes into it again
        }
    } catch (const std::exception&) {
        // A picture that cannot be read leaves its cell without one; the run goes on.
    }
    return {};
}

} // namespace mirte
