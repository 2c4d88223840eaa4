#pragma once

#include "item_facts.h"
#include "th_render.h"

#include <QSize>
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace mirte {

// What a job does with its picture.
enum class TJobKind {
    Render,         // the picture fitted into the box, for the caller only
    RenderForCache, // the picture fitted into the cache's box, with its facts and stored form
    ReadStored,     // a thumbnail the cache stored, read at the box instead of rendering
    FirstImage,     // the small image the file carries of itself, read to cover the box; never
                    // stored: shown only until the picture's own thumbnail comes
    ListFacts,      // the facts of a picture the cache has no record of, from its header
};

// A caller's request for one picture.
struct TPictureRequest {
    quint64 Tag = 0; // the caller's, handed back with the result
    int Index = 0;   // the caller's, handed back with the result
    QString Path;
    QSize Box; // the box to fit into; for a stored thumbnail the box to read it for (empty: whole)
    // What the caller's look at the file found, so that the worker need not look again; looked
    // at by the worker when it says the file is not there.
    TFileLook Look;
};

// A few render workers, each running RenderPicture (or reading a stored thumbnail) on jobs taken
// in order. They see only the job's values, never the cache or a widget; whoever submits
// collects the results, in the order they finish. Cancel drops the jobs not yet begun.
// Destruction drops what is queued and waits for the renders under way.
class TRenderPool {
public:
    struct Job {
        TPictureRequest Request;
        TJobKind Kind = TJobKind::Render;
        QString Stored;     // ReadStored: the thumbnail's file as the cache stores it
        quint64 Ticket = 0; // the submitter's own bookkeeping, handed back
    };
    struct Done {
        Job Request;
        TRenderedPicture Result; // ReadStored: no facts, an Error when the file is damaged or gone
        TItemFacts Listed;       // ListFacts: the facts
    };

    // As many workers as asked, at least one; 0 takes DefaultWorkers().
    explicit TRenderPool(int workers = 0);
    ~TRenderPool();
    TRenderPool(const TRenderPool&) = delete;
    TRenderPool& operator=(const TRenderPool&) = delete;

    // The machine's cores, at least one; MIRTE_RENDER_WORKERS may set fewer (or more, up to 64).
    static int DefaultWorkers();
    int Workers() const { return int(m_threads.size()); }

    void Submit(Job job);
    // Jobs submitted and not yet collected (queued, being rendered, or finished).
    int Outstanding() const;
    // A finished job, if there is one; with `wait` it waits while any job is outstanding.
    bool Collect(Done& done, bool wait);
    // Drops the jobs not yet begun; returns how many. Renders under way still finish.
    int Cancel();

private:
    void Work();

    mutable std::mutex m_mutex;
    std::condition_variable m_jobReady;
    std::condition_variable m_doneReady;
    std::deque<Job> m_queue;
    std::deque<Done> m_done;
    int m_running = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads; // last: they start once everything above exists
};

} // namespace mirte
