#include "page_pictures.h"

#include "cache/icon_bitmap.h"
#include "cache/item_facts.h"
#include "cache/thumbnail_db.h"
#include "thumb_item_source.h"
#include "util/file_facts.h"

#include <cmath>

namespace mirte {

namespace {

constexpr double kDesignDpi = 96.0;

// The render job's tag for where a picture comes from.
enum : quint64 { kStored = 1, kCache = 2, kOriginal = 3 };

} // namespace

bool Covers(QSize have, QSize box) {
    if (have.isEmpty() || box.isEmpty()) {
        return false;
    }
    const QSize fitted = have.scaled(box, Qt::KeepAspectRatio);
    return have.width() >= fitted.width() && have.height() >= fitted.height();
}

TPictureWant WantOfItem(const TThumbItemSource& items, int index, QSize box) {
    const TItemFacts facts = items.ItemFacts(index);
    TPictureWant want;
    want.Path = facts.FullPath;
    want.Box = box;
    want.Index = index;
    if (facts.Shown.isValid()) {
        want.Picture = facts.StoredSize();
    }
    want.FileTime = facts.FileTime.Text();
    want.FileSize = facts.FileSize;
    return want;
}

TPagePictures::TPagePictures(TThumbnailDB* db, const TThumbItemSource* items, TPictureUse use,
                             double devicePixels)
    : m_db(db), m_items(items), m_use(use), m_devicePixels(devicePixels > 0 ? devicePixels : 1) {
    if (m_use == TPictureUse::Paper) {
        m_devicePixels = std::min(m_devicePixels, MaxPaperPpi / kDesignDpi);
    }
}

TPagePictures::~TPagePictures() {
    if (!m_pool) {
        return;
    }
    m_pool->Cancel();
    TRenderPool::Done done;
    while (m_pool->Collect(done, true)) {
        Finish(done); // a render for the cache is stored all the same
    }
}

TRenderPool& TPagePictures::Pool() {
    if (!m_pool) {
        m_pool = std::make_unique<TRenderPool>();
    }
    return *m_pool;
}

QSize TPagePictures::PixelsOf(QSize box) const {
    return QSize(std::max(1, int(std::ceil(box.width() * m_devicePixels))),
                 std::max(1, int(std::ceil(box.height() * m_devicePixels))));
}

void TPagePictures::Ask(int page, const std::vector<TPictureWant>& wants) {
    for (const TPictureWant& want : wants) {
        if (want.Path.isEmpty() || m_entries.contains(want.Path)) {
            continue;
        }
        Entry& entry = m_entries[want.Path];
        entry.Page = page;
        entry.Want = want;
        entry.Pixels = PixelsOf(want.Box);
        Start(entry);
    }
}

void TPagePictures::Start(Entry& entry) {
    if (IsMovieFile(entry.Want.Path)) {
        // Drawn here: icons are not for other threads.
        entry.Picture = MakeIconBitmap(entry.Want.Path);
        entry.Ready = true;
        return;
    }
    if (m_use == TPictureUse::Thumbnails && m_items != nullptr && entry.Want.Index >= 0) {
        const QImage shown = m_items->Thumbnail(entry.Want.Index);
        if (Covers(shown.size(), entry.Pixels)) {
            entry.Picture = shown; // the grid's own, in memory
            entry.Ready = true;
            return;
        }
    }
    TFileLook look;
    if (NeedsOriginal(entry, look)) {
        Submit(entry, Source::Original, QString(), look);
        return;
    }
    if (m_db == nullptr) {
        entry.Ready = true; // the caller keeps the thumbnail it has
        return;
    }
    SubmitFromCache(entry);
}

void TPagePictures::SubmitFromCache(const Entry& entry) {
    TFileLook look;
    if (const std::optional<TStoredThumbnail> stored = m_db->Locate(entry.Want.Path, &look)) {
        Submit(entry, Source::Stored, stored->File);
    } else {
        Submit(entry, Source::Cache, QString(), look);
    }
}

bool TPagePictures::NeedsOriginal(const Entry& entry, TFileLook& look) const {
    if (m_use != TPictureUse::Paper) {
        return false;
    }
    // The cache's thumbnail is the picture fitted into its box, turned either way.
    const QSize picture = entry.Want.Picture;
    const QSize box(TThumbnailDB::CacheBox, TThumbnailDB::CacheBox);
    const bool thumbnailCovers =
        !picture.isEmpty() && Covers(picture.scaled(box, Qt::KeepAspectRatio), entry.Pixels) &&
        Covers(picture.transposed().scaled(box, Qt::KeepAspectRatio), entry.Pixels);
    if (thumbnailCovers || entry.Want.FileTime.isEmpty()) {
        return false;
    }
    // Only the very file the thumbnail was made from: a file changed since prints what the
    // preview showed.
    look = LookAtFile(entry.Want.Path);
    return look.Exists && !look.IsFolder && look.Time == entry.Want.FileTime &&
           look.Size == entry.Want.FileSize;
}

void TPagePictures::Submit(const Entry& entry, Source source, const QString& stored,
                           const TFileLook& look) {
    TRenderPool::Job job;
    job.Path = entry.Want.Path;
    job.Look = look;
    switch (source) {
    case Source::Stored:
        job.Stored = stored;
        job.Box = entry.Pixels; // read no larger than the box needs
        job.ForCache = false;
        job.Pass = kStored;
        break;
    case Source::Cache:
        job.Box = QSize(TThumbnailDB::CacheBox, TThumbnailDB::CacheBox);
        job.ForCache = true;
        job.Pass = kCache;
        break;
    case Source::Original:
        job.Box = entry.Pixels;
        job.ForCache = false;
        job.Pass = kOriginal;
        break;
    }
    Pool().Submit(std::move(job));
}

void TPagePictures::Finish(TRenderPool::Done& done) {
    const TRenderPool::Job& job = done.Request;
    QImage picture = done.Result.Thumbnail;
    if (job.Pass == kCache && m_db != nullptr) {
        picture = m_db->Store(job.Path, done.Result).Picture;
    }
    const auto found = m_entries.find(job.Path);
    if (found == m_entries.end()) {
        return; // its page was let go of
    }
    Entry& entry = *found;
    if (picture.isNull() && job.Pass == kStored && m_db != nullptr) {
        m_db->Forget(job.Path); // damaged: made anew
        Submit(entry, Source::Cache);
        return;
    }
    if (picture.isNull() && job.Pass == kOriginal && m_db != nullptr) {
        SubmitFromCache(entry);
        return;
    }
    entry.Picture = picture;
    entry.Ready = true;
}

QImage TPagePictures::Take(const QString& path) {
    for (;;) {
        const auto found = m_entries.constFind(path);
        if (found == m_entries.constEnd()) {
            return {};
        }
        if (found->Ready) {
            return found->Picture;
        }
        TRenderPool::Done done;
        if (!m_pool || !m_pool->Collect(done, true)) {
            return {};
        }
        Finish(done);
    }
}

void TPagePictures::Release(int page) {
    for (auto entry = m_entries.begin(); entry != m_entries.end();) {
        entry = entry->Page < page ? m_entries.erase(entry) : std::next(entry);
    }
}

} // namespace mirte
