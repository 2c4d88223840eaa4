#include "listed_facts.h"

#include "picture/orientation.h"
#include "picture/picture_error.h"
#include "picture/picture_header.h"
#include "th_render.h"
#include "thumbnail_db.h"
#include "util/file_facts.h"

#include <optional>

namespace mirte {

namespace {

TItemTurn TurnOf(bool quarter) {
    return quarter ? TItemTurn::Quarter : TItemTurn::AsStored;
}

// The turn from the picture's header; unknown when the header cannot be read.
TItemTurn HeaderTurn(const QString& path) {
    try {
        return TurnOf(SwapsSides(ReadPictureHeader(path).orientation));
    } catch (const EPictureError&) {
        return TItemTurn::Unknown;
    }
}

// Whether a thumbnail made upright lies the other way than the stored picture; unknown when
// either is square.
std::optional<bool> TurnedByProportions(QSize thumbnail, QSize stored) {
    if (thumbnail.width() == thumbnail.height() || stored.width() == stored.height()) {
        return std::nullopt;
    }
    return (thumbnail.width() > thumbnail.height()) != (stored.width() > stored.height());
}

// The turn from the stored thumbnail, made upright: whether it lies the other way than the
// stored picture. Read from the thumbnail's header only; from the picture's header when the
// thumbnail is square or unreadable.
TItemTurn ThumbnailTurn(const QString& thumbnail, const QString& path, const TPictureFacts& facts) {
    if (facts.Width == facts.Height) {
        return TItemTurn::AsStored; // either way the same
    }
    try {
        const PictureHeader stored = ReadPictureHeader(thumbnail);
        if (const auto turned = TurnedByProportions(QSize(stored.width, stored.height),
                                                    QSize(facts.Width, facts.Height))) {
            return TurnOf(*turned);
        }
    } catch (const EPictureError&) {
        // Gone or damaged: the cache makes it again; the picture tells meanwhile.
    }
    return HeaderTurn(path);
}

// Whether facts the item was listed with still describe the record, so that their turn holds.
bool StillTheRecord(const TItemFacts* known, const QString& path, const TPictureFacts& facts) {
    return known != nullptr && known->Turn != TItemTurn::Unknown && known->FullPath == path &&
           known->FileSize == facts.FileSize && known->FileTime.Text() == facts.FileTime &&
           known->StoredSize() == QSize(facts.Width, facts.Height);
}

void TakePictureFacts(TItemFacts& item, const TPictureFacts& facts, TItemTurn turn) {
    item.FileSize = facts.FileSize;
    item.FileTime = TDateStamp::FromText(facts.FileTime);
    item.ShotTime = TDateStamp::FromText(facts.CreateTime);
    item.Turn = turn;
    const QSize stored(facts.Width, facts.Height);
    item.Shown = turn == TItemTurn::Quarter ? stored.transposed() : stored;
}

} // namespace

std::optional<TItemFacts> StoredItemFacts(TThumbnailDB& db, const QString& path,
                                          const TItemFacts* known, TListedExtra* extra,
                                          TFileLook& look) {
    // A folder seen before opens no picture for it (its thumbnails tell the turn, once).
    std::optional<TStoredThumbnail> stored = db.Locate(path, &look);
    if (!stored) {
        return std::nullopt;
    }
    TItemFacts item = NamedFacts(path);
    const TItemTurn turn = StillTheRecord(known, path, stored->Facts) ? known->Turn
                           : extra != nullptr && extra->TurnLater
                               ? TItemTurn::Unknown
                               : ThumbnailTurn(stored->File, path, stored->Facts);
    TakePictureFacts(item, stored->Facts, turn);
    if (extra != nullptr) {
        extra->Stored = std::move(stored);
    }
    return item;
}

TItemFacts HeaderItemFacts(const QString& path, const TFileLook& look) {
    TItemFacts item = NamedFacts(path);
    if (!look.Exists || look.IsFolder) {
        return item;
    }
    try {
        const PictureHeader header = ReadPictureHeader(path);
        TPictureFacts facts;
        if (ReadPictureFacts(path, header, facts, &look)) {
            TakePictureFacts(item, facts, TurnOf(SwapsSides(header.orientation)));
        }
    } catch (const std::exception&) {
        // No facts for a file that is not a picture we read.
    }
    return item;
}

TItemFacts PictureItemFacts(TThumbnailDB& db, const QString& path, const TItemFacts* known,
                            TListedExtra* extra) {
    TFileLook look;
    if (std::optional<TItemFacts> stored = StoredItemFacts(db, path, known, extra, look)) {
        return *stored;
    }
    return HeaderItemFacts(path, look);
}

void TakeThumbnailTurn(TItemFacts& facts, QSize thumbnail) {
    if (facts.Turn != TItemTurn::Unknown || !facts.Shown.isValid()) {
        return;
    }
    if (const auto turned = TurnedByProportions(thumbnail, facts.Shown)) {
        facts.Turn = TurnOf(*turned);
        if (*turned) {
            facts.Shown.transpose();
        }
    }
}

TItemFacts MovieItemFacts(const QString& path) {
    TItemFacts item = NamedFacts(path);
    QString time;
    qint64 size = 0;
    bool folder = false;
    if (GetFileTimeSize(path, time, size, &folder) && !folder) {
        item.FileSize = size;
        item.FileTime = TDateStamp::FromText(time);
    }
    return item;
}

TItemFacts ReadItemFacts(TThumbnailDB& db, const QString& path, const TItemFacts* known,
                         TListedExtra* extra) {
    try {
        return IsMovieFile(path) ? MovieItemFacts(path) : PictureItemFacts(db, path, known, extra);
    } catch (const std::exception&) {
        return NamedFacts(path);
    }
}

} // namespace mirte
