#include "picture_scheduler.h"

#include "thumbnail_db.h"

namespace mirte {

TPictureScheduler::TPictureScheduler(TThumbnailDB* db, TRenderPool& pool, int jobsPerWorker,
                                     bool inOrder)
    : m_db(db), m_pool(pool), m_limit(std::max(1, jobsPerWorker) * pool.Workers()),
      m_inOrder(inOrder) {}

void TPictureScheduler::Begin() {
    std::vector<TPictureResult> stale;
    Collect(stale); // stored, not handed out: they belong to the pass before
    m_passStart = m_nextHanded = m_nextTicket;
    m_waiting.clear();
    m_pending.clear();
}

void TPictureScheduler::Submit(TPictureRequest request, TJobKind kind, quint64 ticket,
                               const QString& stored) {
    m_pool.Submit({std::move(request), kind, stored, ticket});
}

void TPictureScheduler::Throttle(std::vector<TPictureResult>& out) {
    TRenderPool::Done done;
    while (m_pool.Outstanding() >= m_limit && m_pool.Collect(done, true)) {
        Take(done, out);
    }
}

void TPictureScheduler::Thumbnail(TPictureRequest request, std::vector<TPictureResult>& out) {
    TRenderPool::Done done;
    while (Pending(request.Path) && m_pool.Collect(done, true)) {
        Take(done, out); // the same picture asked for twice: the second time it is stored
    }
    Throttle(out);
    const quint64 ticket = m_nextTicket++;
    m_pending.insert(request.Path);
    if (const auto stored = m_db->Locate(request.Path, &request.Look)) {
        Submit(std::move(request), TJobKind::ReadStored, ticket, stored->File);
    } else {
        request.Box = QSize(TThumbnailDB::CacheBox, TThumbnailDB::CacheBox);
        Submit(std::move(request), TJobKind::RenderForCache, ticket);
    }
    Collect(out);
}

void TPictureScheduler::Uncached(TPictureRequest request, TJobKind kind,
                                 std::vector<TPictureResult>& out) {
    Throttle(out);
    Submit(std::move(request), kind, m_nextTicket++);
    Collect(out);
}

void TPictureScheduler::Render(TPictureRequest request, std::vector<TPictureResult>& out) {
    Uncached(std::move(request), TJobKind::Render, out);
}

void TPictureScheduler::FirstImage(TPictureRequest request, std::vector<TPictureResult>& out) {
    Uncached(std::move(request), TJobKind::FirstImage, out);
}

void TPictureScheduler::ListFacts(TPictureRequest request, std::vector<TPictureResult>& out) {
    Uncached(std::move(request), TJobKind::ListFacts, out);
}

void TPictureScheduler::Collect(std::vector<TPictureResult>& out) {
    TRenderPool::Done done;
    while (m_pool.Collect(done, false)) {
        Take(done, out);
    }
}

bool TPictureScheduler::Wait(std::vector<TPictureResult>& out) {
    TRenderPool::Done done;
    if (!m_pool.Collect(done, true)) {
        return false;
    }
    Take(done, out);
    return true;
}

void TPictureScheduler::Finish(std::vector<TPictureResult>& out) {
    while (Wait(out)) {
    }
}

void TPictureScheduler::Cancel() {
    m_pool.Cancel();
    // What is under way now is stored when it comes, never handed out.
    m_passStart = m_nextHanded = m_nextTicket;
    m_waiting.clear();
    m_pending.clear();
}

void TPictureScheduler::Take(TRenderPool::Done& done, std::vector<TPictureResult>& out) {
    TRenderPool::Job& job = done.Request;
    TPictureResult result{job.Request, job.Kind,          done.Result.Thumbnail,
                          false,       done.Result.Error, std::move(done.Listed)};
    switch (job.Kind) {
    case TJobKind::RenderForCache: {
        const TThumbnail stored = m_db->Store(job.Request.Path, done.Result);
        result.Picture = stored.Picture;
        result.Error = stored.Error;
        break;
    }
    case TJobKind::ReadStored:
        if (result.Picture.isNull()) {
            // Damaged or gone since it was found: forgotten, and made anew for this request.
            m_db->Forget(job.Request.Path);
            job.Request.Look = TFileLook();
            job.Request.Box = QSize(TThumbnailDB::CacheBox, TThumbnailDB::CacheBox);
            Submit(std::move(job.Request), TJobKind::RenderForCache, job.Ticket);
            return;
        }
        result.FromCache = true;
        break;
    case TJobKind::Render:
    case TJobKind::FirstImage:
    case TJobKind::ListFacts:
        break;
    }
    if (job.Ticket < m_passStart) {
        return; // a pass gone by
    }
    if (job.Kind == TJobKind::RenderForCache || job.Kind == TJobKind::ReadStored) {
        m_pending.remove(job.Request.Path);
    }
    Hand(job.Ticket, std::move(result), out);
}

void TPictureScheduler::Hand(quint64 ticket, TPictureResult result,
                             std::vector<TPictureResult>& out) {
    if (!m_inOrder) {
        out.push_back(std::move(result));
        return;
    }
    m_waiting.emplace(ticket, std::move(result));
    for (auto next = m_waiting.begin(); next != m_waiting.end() && next->first == m_nextHanded;
         next = m_waiting.erase(next)) {
        out.push_back(std::move(next->second));
        ++m_nextHanded;
    }
}

} // namespace mirte
