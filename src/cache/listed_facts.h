#pragma once

#include "item_facts.h"
#include "thumbnail_db.h"

#include <QSize>
#include <QString>
#include <optional>

namespace mirte {

// Reading a listed file's facts through the cache, as the grid's loader and the command line's
// listed folder do it.

// What a listing wants beside the facts.
struct TListedExtra {
    // A stored thumbnail's turn is left Unknown, for TakeThumbnailTurn when the thumbnail is
    // read anyway: the grid's loader reads it, and so saves a read per picture.
    bool TurnLater = false;
    std::optional<TStoredThumbnail> Stored; // out: the cache's thumbnail, when it has one
};

// The facts of a picture from the cache, its size as shown (the cache's records keep it as
// stored, and no turn). On a record the turn is told by the stored thumbnail's proportions,
// read once: `known`, the facts the item was listed with before, gives it without a read while
// they are still the record's. A picture whose facts cannot be read gets only its name and path.
TItemFacts PictureItemFacts(TThumbnailDB& db, const QString& path,
                            const TItemFacts* known = nullptr, TListedExtra* extra = nullptr);

// PictureItemFacts in two steps: the facts from the cache's record, when it has one (on the
// thread that owns the cache), with what the look at the file found; else those of the
// picture's header (on any thread).
std::optional<TItemFacts> StoredItemFacts(TThumbnailDB& db, const QString& path,
                                          const TItemFacts* known, TListedExtra* extra,
                                          TFileLook& look);
TItemFacts HeaderItemFacts(const QString& path, const TFileLook& look);

// An Unknown turn told by the proportions of the picture's upright thumbnail (the facts' size is
// then the stored one); nothing changes for a known turn or a square thumbnail or picture.
void TakeThumbnailTurn(TItemFacts& facts, QSize thumbnail);

// The facts of a movie from its directory entry; only name and path when the entry is gone.
TItemFacts MovieItemFacts(const QString& path);

// The facts of any listed file, movie or picture; a file whose facts cannot be read at all
// gets only its name and path (it is listed all the same).
TItemFacts ReadItemFacts(TThumbnailDB& db, const QString& path, const TItemFacts* known = nullptr,
                         TListedExtra* extra = nullptr);

} // namespace mirte
