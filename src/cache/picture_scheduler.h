#pragma once

#include "render_pool.h"

#include <QImage>
#include <QSet>
#include <QSize>
#include <QString>
#include <map>
#include <vector>

namespace mirte {

class TThumbnailDB;

// What the scheduler hands back for a request.
struct TPictureResult {
    TPictureRequest Request;
    TJobKind Kind = TJobKind::Render; // how the picture was made in the end
    QImage Picture;                   // null: the picture could not be loaded
    bool FromCache = false;
    QString Error;     // why there is no picture
    TItemFacts Listed; // ListFacts: the facts
};

// The one way every caller (the grid, the print runs, mirte-cli) gets pictures: requests go to
// the render workers as typed jobs, the cache is looked up and stored into on the calling
// thread, the one that owns it. A stored thumbnail is read by a worker; a missing or damaged
// one is rendered by a worker and stored here when it comes back. Only a few jobs per worker are
// outstanding, so that a caller who moves on (the user scrolled) wastes little. Work goes in
// passes: what a pass had under way when the next began or when it was cancelled is still
// stored, but never handed out. In order, results are handed out in the order asked.
class TPictureScheduler {
public:
    // Jobs outstanding per worker, at most, unless the caller asks otherwise.
    static constexpr int JobsPerWorker = 2;

    // `db` may be null for a caller without a cache (Render only).
    TPictureScheduler(TThumbnailDB* db, TRenderPool& pool, int jobsPerWorker = JobsPerWorker,
                      bool inOrder = false);

    // Begins a pass: what the pass before has under way is no longer handed out.
    void Begin();
    // The cache's thumbnail of request.Path, a stored one read for request.Box (device pixels;
    // empty: whole). It and whatever else finished meanwhile are appended to `out`.
    void Thumbnail(TPictureRequest request, std::vector<TPictureResult>& out);
    // The picture fitted into request.Box, rendered and not stored.
    void Render(TPictureRequest request, std::vector<TPictureResult>& out);
    // The file's first image, read to cover request.Box and not stored; null with the reason
    // when the file has none that matches the picture.
    void FirstImage(TPictureRequest request, std::vector<TPictureResult>& out);
    // The facts of a picture from its header (request.Look: what a look at the file found).
    void ListFacts(TPictureRequest request, std::vector<TPictureResult>& out);
    // Appends what has finished, without waiting.
    void Collect(std::vector<TPictureResult>& out);
    // Waits for one job to finish and appends what it gives; false when none is outstanding.
    bool Wait(std::vector<TPictureResult>& out);
    // Waits for every job of this pass and appends them.
    void Finish(std::vector<TPictureResult>& out);
    // Drops the jobs of this pass not yet begun; those under way are stored when they come.
    void Cancel();
    // Whether this pass has a job of the cache's for the picture under way.
    bool Pending(const QString& path) const { return m_pending.contains(path); }
    int Workers() const { return m_pool.Workers(); }

private:
    void Submit(TPictureRequest request, TJobKind kind, quint64 ticket, const QString& stored = {});
    // A job the cache has no part in.
    void Uncached(TPictureRequest request, TJobKind kind, std::vector<TPictureResult>& out);
    // Waits while the workers have their fill, taking in what finishes.
    void Throttle(std::vector<TPictureResult>& out);
    void Take(TRenderPool::Done& done, std::vector<TPictureResult>& out);
    void Hand(quint64 ticket, TPictureResult result, std::vector<TPictureResult>& out);

    TThumbnailDB* m_db;
    TRenderPool& m_pool;
    int m_limit;
    bool m_inOrder;
    quint64 m_nextTicket = 0;                    // tickets number the requests in the order asked
    quint64 m_passStart = 0;                     // the first ticket of this pass
    quint64 m_nextHanded = 0;                    // in order: the ticket to hand out next
    std::map<quint64, TPictureResult> m_waiting; // in order: finished before their turn
    QSet<QString> m_pending; // the cache's jobs of this pass under way (one per path)
};

} // namespace mirte
