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
// A run asks for a page's pictures all at once, and for the next page's while it draws: the
// workers' queue is not kept short, so that asking never waits.
constexpr int kJobsPerWorker = 1 << 20;

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
    if (!m_scheduler) {
        return;
    }
    m_scheduler->Cancel();
    std::vector<TPictureResult> late;
    m_scheduler->Finish(late); // a render for the cache is stored all the same
}

TPictureScheduler& TPagePictures::Scheduler() {
    if (!m_scheduler) {
        m_pool = std::make_unique<TRenderPool>();
        m_scheduler = std::make_unique<TPictureScheduler>(m_db, *m_pool, kJobsPerWorker);
    }
    return *m_scheduler;
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
        std::vector<TPictureResult> done;
        Scheduler().Render({0, entry.Want.Index, entry.Want.Path, entry.Pixels, look}, done);
        Finish(done);
        return;
    }
    if (m_db == nullptr) {
        entry.Ready = true; // the caller keeps the thumbnail it has
        return;
    }
    SubmitFromCache(entry);
}

void TPagePictures::SubmitFromCache(const Entry& entry) {
    std::vector<TPictureResult> done;
    Scheduler().Thumbnail({0, entry.Want.Index, entry.Want.Path, entry.Pixels, TFileLook()}, done);
    Finish(done);
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

void TPagePictures::Finish(std::vector<TPictureResult>& results) {
    for (TPictureResult& result : results) {
        const auto found = m_entries.find(result.Request.Path);
        if (found == m_entries.end()) {
            continue; // its page was let go of
        }
        Entry& entry = *found;
        if (result.Picture.isNull() && result.Kind == TJobKind::Render && m_db != nullptr) {
            SubmitFromCache(entry);
            continue;
        }
        entry.Picture = std::move(result.Picture);
        entry.Ready = true;
    }
    results.clear();
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
        std::vector<TPictureResult> done;
        if (!m_scheduler || !m_scheduler->Wait(done)) {
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
