#include "thumbnail_fetcher.h"

#include "thumbnail_db.h"

namespace mirte {

TThumbnailFetcher::TThumbnailFetcher(TThumbnailDB& db, TRenderPool& pool, int rendersPerWorker)
    : m_db(db), m_pool(pool), m_limit(std::max(1, rendersPerWorker) * pool.Workers()) {}

void TThumbnailFetcher::Begin(QSize readBox) {
    std::vector<Item> stale;
    Collect(stale); // stored, not handed out: they belong to the pass before
    ++m_pass;
    m_pending.clear();
    m_readBox = readBox;
}

void TThumbnailFetcher::Fetch(int index, const QString& path, std::vector<Item>& out) {
    TRenderPool::Done done;
    while (Pending(path) && m_pool.Collect(done, true)) {
        Take(done, out); // the same picture asked for twice: the second time it is stored
    }
    TFileLook look;
    const TThumbnail cached = m_db.Cached(path, m_readBox, &look);
    if (cached.Ok()) {
        out.push_back({index, path, cached.Picture, true, QString()});
        Collect(out);
        return;
    }
    while (m_pool.Outstanding() >= m_limit && m_pool.Collect(done, true)) {
        Take(done, out);
    }
    m_pending.insert(path);
    const QSize box(TThumbnailDB::CacheBox, TThumbnailDB::CacheBox);
    m_pool.Submit({index, path, box, true, m_pass, look});
    Collect(out);
}

void TThumbnailFetcher::Collect(std::vector<Item>& out) {
    TRenderPool::Done done;
    while (m_pool.Collect(done, false)) {
        Take(done, out);
    }
}

void TThumbnailFetcher::Finish(std::vector<Item>& out) {
    TRenderPool::Done done;
    while (m_pool.Collect(done, true)) {
        Take(done, out);
    }
}

void TThumbnailFetcher::Cancel() {
    m_pool.Cancel();
    ++m_pass; // what is under way now is stored when it comes, never handed out
    m_pending.clear();
}

void TThumbnailFetcher::Take(TRenderPool::Done& done, std::vector<Item>& out) {
    const TRenderPool::Job& job = done.Request;
    const TThumbnail stored = m_db.Store(job.Path, done.Result);
    if (job.Pass == m_pass && m_pending.remove(job.Path)) {
        out.push_back({job.Index, job.Path, stored.Picture, false, stored.Error});
    }
}

} // namespace mirte
