#pragma once

#include "render_pool.h"

#include <QImage>
#include <QSet>
#include <QSize>
#include <QString>
#include <vector>

namespace mirte {

class TThumbnailDB;

// Fetches thumbnails through the cache for the one thread that owns it: a stored thumbnail is
// handed out at once, a missing one is rendered by a worker of the pool and stored here when it
// comes back. Only a few renders per worker are outstanding, so that a caller who moves on
// (the user scrolled) wastes little. Work goes in passes: what a pass had under way when the
// next began or when it was cancelled is still stored, but never handed out.
class TThumbnailFetcher {
public:
    struct Item {
        int Index = 0;
        QString Path;
        QImage Picture; // null: the picture could not be loaded
        bool FromCache = false;
        QString Error; // why there is no picture
    };

    // Renders outstanding per worker, at most, unless the caller asks otherwise.
    static constexpr int RendersPerWorker = 2;

    TThumbnailFetcher(TThumbnailDB& db, TRenderPool& pool, int rendersPerWorker = RendersPerWorker);

    // Begins a pass whose stored thumbnails are read for `readBox` (device pixels; empty: whole).
    void Begin(QSize readBox);
    // Fetches one picture; it and whatever else finished meanwhile are appended to `out`.
    void Fetch(int index, const QString& path, std::vector<Item>& out);
    // Appends what has finished, without waiting.
    void Collect(std::vector<Item>& out);
    // Waits for every render of this pass and appends them.
    void Finish(std::vector<Item>& out);
    // Drops the renders of this pass not yet begun; those under way are stored when they come.
    void Cancel();
    // Whether this pass is rendering the picture now.
    bool Pending(const QString& path) const { return m_pending.contains(path); }

private:
    void Take(TRenderPool::Done& done, std::vector<Item>& out);

    TThumbnailDB& m_db;
    TRenderPool& m_pool;
    int m_limit;
    quint64 m_pass = 0;
    QSize m_readBox;
    QSet<QString> m_pending; // renders of this pass under way (one per path: Fetch waits)
};

} // namespace mirte
