#include "image_list_thread.h"

#include "cache/icon_bitmap.h"
#include "cache/listed_facts.h"
#include "cache/picture_scheduler.h"
#include "cache/render_pool.h"
#include "cache/thumbnail_db.h"
#include "image_list_host.h"
#include "load_progress.h"
#include "next_cell.h"
#include "sort_order.h"
#include "thumb_list_view.h"

#include <QCoreApplication>
#include <QHash>
#include <QObject>
#include <QtMath>
#include <algorithm>
#include <chrono>
#include <exception>

namespace mirte {

TImageListThread::TImageListThread(TThumbListView& grid, TThumbnailDB& db, TImageListHost& host)
    : m_grid(grid), m_db(db), m_host(host), m_handOver(std::make_unique<QObject>()) {
    m_thread = std::thread([this] { Run(); });
}

TImageListThread::~TImageListThread() {
    Terminate();
}

// --- requests (GUI thread) -----------------------------------------------------------------

void TImageListThread::Request(std::atomic<bool>& flag) {
    {
        // Under the lock, so that the loader cannot be between its look at the flags and its
        // sleep: a request is never lost.
        std::lock_guard lock(m_mutex);
        flag = true;
        m_busy = true;
    }
    m_wake.notify_one();
}

QSize TImageListThread::DisplayBox() const {
    const qreal ratio = m_grid.devicePixelRatioF();
    return QSize(qCeil(m_grid.ThumbWidth() * ratio), qCeil(m_grid.ThumbHeight() * ratio));
}

void TImageListThread::SetFileList(const QStringList& files) {
    {
        std::lock_guard lock(m_mutex);
        m_pendingList = files;
    }
    Reload();
}

void TImageListThread::Reload() {
    {
        std::lock_guard lock(m_mutex);
        m_pendingBox = DisplayBox();
    }
    Request(NewListRequested);
}

void TImageListThread::ResumeFill() {
    if (m_fillLeft.exchange(false)) {
        Request(FillRequested);
    }
}

void TImageListThread::AbortLoad() {
    AbortRequested = true;
}

void TImageListThread::SetThumbnailSize(int width, int height) {
    m_grid.SetThumbWidth(width);
    m_grid.SetThumbHeight(height);
    Reload();
}

void TImageListThread::SetSortOrder(int order) {
    if (order < 0 || order >= SortOrderCount) {
        return;
    }
    m_sortOrder = order;
    SortChanged = true;
    try {
        ApplySortOrder(m_grid, order);
    } catch (const std::exception&) {
        // The grid keeps its order; nothing is lost.
    }
}

void TImageListThread::ReloadSelected() {
    const int selected = m_grid.SelectedIndex();
    if (Loading() || selected < 0 || selected >= m_grid.Count()) {
        return;
    }
    const TItemFacts& facts = m_grid.ItemFacts(selected);
    const QString path = facts.FullPath;
    const bool movie = facts.Movie;
    QImage picture;
    if (!movie) {
        picture = m_db.Remake(path).Picture; // null: shown as "cannot load" below
        SaveTable(); // a table that cannot be saved does not spoil the thumbnail just made
    }
    ShowThumbnail(selected, path, movie, picture);
}

template <class Done> void TImageListThread::WaitServing(Done done) {
    using namespace std::chrono_literals;
    // Only the loader's hand-overs are served here, not the user's input.
    while (!done()) {
        QCoreApplication::sendPostedEvents(m_handOver.get(), QEvent::MetaCall);
        if (!done()) {
            std::this_thread::sleep_for(1ms);
        }
    }
}

void TImageListThread::StopLoad() {
    {
        std::lock_guard lock(m_mutex);
        if (!m_busy) {
            return;
        }
        NewListRequested = false; // a load asked for but not begun never begins
        AbortRequested = true;
    }
    m_wake.notify_one(); // a sleeping loader looks again and finds itself idle
    WaitServing([this] { return !m_busy.load() || m_ended.load(); });
}

bool TImageListThread::SettleIdle(int limitMs) {
    YieldRequested = true; // a load that only fills the grid stops
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    WaitServing([&] {
        return !m_busy.load() || NewListRequested.load() ||
               std::chrono::steady_clock::now() >= deadline;
    });
    YieldRequested = false;
    return !m_busy.load();
}

void TImageListThread::Terminate() {
    if (!m_thread.joinable()) {
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        TerminateRequested = true;
    }
    m_wake.notify_one();
    WaitServing([this] { return m_ended.load(); });
    m_thread.join();
}

// --- the loader thread ---------------------------------------------------------------------

template <class F> void TImageListThread::OnGui(F&& f) {
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        m_handOver.get(),
        [&] {
            try {
                f();
            } catch (...) {
                failure = std::current_exception(); // never into the GUI's event loop
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure) {
        std::rethrow_exception(failure);
    }
}

void TImageListThread::CheckTerminate() const {
    if (TerminateRequested) {
        throw EndThread();
    }
}

void TImageListThread::Run() {
    // The render workers live in this function: none outlives the loader.
    TRenderPool pool;
    TPictureScheduler scheduler(&m_db, pool);
    m_scheduler = &scheduler;
    try {
        for (;;) {
            {
                std::unique_lock lock(m_mutex);
                // Idle whenever it finds nothing to do, also after a request taken back by
                // StopLoad before it began.
                m_wake.wait(lock, [this] {
                    if (NewListRequested || FillRequested || TerminateRequested) {
                        return true;
                    }
                    m_busy = false;
                    return false;
                });
            }
            CheckTerminate();
            while (NewListRequested || FillRequested) {
                try {
                    if (NewListRequested) {
                        RunCycle();
                    } else {
                        RunFill();
                    }
                } catch (const EndThread&) {
                    throw;
                } catch (...) {
                    NewListRequested = false;
                    FillRequested = false;
                    AbortRequested = false;
                }
            }
            // Saved now, so that a crash later does not lose the thumbnails made so far.
            SaveTable();
            OnGui([this] { m_host.SetRepaintItemEnabled(m_grid.Count() > 0); });
            ++m_cyclesDone;
        }
    } catch (const EndThread&) {
        SaveTable(); // a load cut short keeps what it made
    } catch (...) {
        // A hand-over that failed outside a cycle: the loader ends rather than spin.
        SaveTable();
    }
    m_busy = false;
    m_ended = true;
}

void TImageListThread::SaveNowAndThen(int newRecords) {
    if (newRecords == 0) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (m_unsavedRecords == 0) {
        m_firstUnsaved = now;
    }
    m_unsavedRecords += newRecords;
    if (m_unsavedRecords >= SaveEveryRecords ||
        now - m_firstUnsaved >= std::chrono::seconds(SaveEverySeconds)) {
        SaveTable();
    }
}

void TImageListThread::SaveTable() {
    m_unsavedRecords = 0;
    try {
        if (!m_db.GetCacheDirectory().isEmpty()) {
            m_db.SaveTable(); // writes only when the table changed
        }
    } catch (const std::exception&) {
        // The old management file is still whole; the next save tries again.
    }
}

void TImageListThread::RunCycle() {
    QStringList files;
    {
        std::lock_guard lock(m_mutex);
        files = m_pendingList;
        m_readBox = m_pendingBox;
        NewListRequested = false;
        AbortRequested = false;
        SortChanged = false;
        YieldRequested = false;
        m_fillLeft = false;
    }
    m_storedPaths.clear();
    m_viewTop = 0;
    m_lastPercent = -2;
    int counter = 0;
    const int total = 2 * static_cast<int>(files.size());
    // The turns found for the items listed before: a picture listed again from its record does
    // not open its stored thumbnail again to find it.
    QHash<QString, TItemFacts> kept;

    OnGui([&] {
        for (int i = 0; i < m_grid.Count(); ++i) {
            const TItemFacts& facts = m_grid.ItemFacts(i);
            if (facts.Turn != TItemTurn::Unknown) {
                kept.insert(facts.FullPath, facts);
            }
        }
        m_grid.Clear();
        m_grid.SetShowItems(false);
        m_grid.SetCount(static_cast<int>(files.size()));
        m_grid.SetSelected(-1);
        m_host.SetRepaintItemEnabled(false);
    });

    const bool listed = FirstPass(files, kept, counter, total);
    OnGui([&] {
        m_grid.SetShowItems(true);
        if (listed) {
            try {
                ApplySortOrder(m_grid, m_sortOrder);
            } catch (const std::exception&) {
                // Left in listing order.
            }
        }
    });
    if (listed) {
        SecondPass(counter, total);
    }
}

void TImageListThread::RunFill() {
    {
        std::lock_guard lock(m_mutex);
        FillRequested = false;
        AbortRequested = false;
        YieldRequested = false;
    }
    // Every thumbnail is counted: the second pass only reads what the grid does not show yet.
    int counter = 1;
    SecondPass(counter, 1);
}

bool TImageListThread::FirstPass(const QStringList& files, const QHash<QString, TItemFacts>& kept,
                                 int& counter, int total) {
    // The facts go to the grid in batches, with each step of the progress: a hand-over per
    // item would cost a large folder more than reading the facts.
    std::vector<std::pair<int, TItemFacts>> batch;
    std::vector<TPictureResult> listed;
    const auto hand = [&](int percent) {
        OnGui([&] {
            for (const auto& [index, facts] : batch) {
                m_grid.SetItemFacts(index, facts);
            }
            if (percent != m_lastPercent) {
                m_host.SetLoadProgress(percent);
            }
        });
        batch.clear();
        m_lastPercent = percent;
    };
    const auto take = [&](int index, TItemFacts facts) {
        batch.emplace_back(index, std::move(facts));
        ++counter;
        const int percent = ProgressPercent(counter, total);
        if (percent != m_lastPercent || batch.size() >= MaxFactsBatch) {
            hand(percent);
        }
    };
    const auto interrupted = [&] {
        return NewListRequested || AbortRequested || TerminateRequested;
    };
    const auto takeListed = [&] {
        for (TPictureResult& item : listed) {
            if (interrupted()) {
                break; // a report may have been the user's moment to stop
            }
            take(item.Request.Index, std::move(item.Listed));
        }
        listed.clear();
    };
    const auto stop = [&] {
        m_scheduler->Cancel();
        if (NewListRequested) {
            return true;
        }
        CheckTerminate();
        if (AbortRequested) {
            OnGui([this] {
                m_grid.SetCount(0);
                m_host.SetLoadProgress(-1);
            });
            return true;
        }
        return false;
    };

    m_scheduler->Begin();
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        if (interrupted()) {
            // stopped below
        } else if (IsMovieFile(path)) {
            take(i, MovieItemFacts(path));
        } else {
            // A record of the cache is read here, the only thread that may; a picture's header
            // is read by a render worker, which have nothing else to do yet.
            const auto before = kept.constFind(path);
            TListedExtra extra;
            extra.TurnLater = true; // told by the thumbnail when it is read
            TFileLook look;
            std::optional<TItemFacts> stored;
            try {
                stored = StoredItemFacts(m_db, path, before != kept.constEnd() ? &*before : nullptr,
                                         &extra, look);
            } catch (const std::exception&) {
                stored = NamedFacts(path);
            }
            if (stored) {
                if (extra.Stored) {
                    m_storedPaths.insert(path);
                }
                take(i, std::move(*stored));
            } else {
                m_scheduler->ListFacts({0, i, path, QSize(), look}, listed);
            }
        }
        takeListed();
        if (interrupted() && stop()) {
            return false;
        }
    }
    while (m_scheduler->Wait(listed)) {
        takeListed();
        if (interrupted() && stop()) {
            return false;
        }
    }
    if (!batch.empty()) {
        hand(ProgressPercent(counter, total));
    }
    return true;
}

void TImageListThread::SecondPass(int& counter, int total) {
    QStringList paths;
    QHash<QString, int> indexOf; // where each path is in the grid as last looked at
    // Per cell: its thumbnail made (and counted); whether the cache was looked up for it (and,
    // on a miss, its first image asked for); a thumbnail the cache has and the grid not yet.
    // Waiting in each means still to do.
    std::vector<CellState> cells;
    std::vector<CellState> looked;
    std::vector<CellState> unread;
    std::vector<TPictureResult> fetched;
    bool allLooked = false;
    int fromLook = 0; // where the walks over every cell go on
    int fromFull = 0;
    // The grid as it is now (the user may have sorted it since the last look).
    const auto look = [&] {
        OnGui([&] {
            paths.clear();
            cells.assign(static_cast<size_t>(m_grid.Count()), CellState::Waiting);
            looked.assign(cells.size(), CellState::Waiting);
            unread.assign(cells.size(), CellState::Done);
            for (int i = 0; i < m_grid.Count(); ++i) {
                const TThumbnailData& item = m_grid.Item(i);
                const auto cell = static_cast<size_t>(i);
                paths.append(item.Facts.FullPath);
                if (item.Facts.Loaded || item.LoadFailed) {
                    cells[cell] = looked[cell] = CellState::Done;
                    if (!item.LoadFailed && (item.Bitmap.isNull() || item.FirstImage)) {
                        unread[cell] = CellState::Waiting;
                    }
                } else if (item.FirstImage) {
                    looked[cell] = CellState::Done;
                }
            }
        });
        indexOf.clear(); // built here, not on the GUI thread, which waits while it looks
        for (int i = 0; i < paths.size(); ++i) {
            indexOf.insert(paths[i], i);
            const auto cell = static_cast<size_t>(i);
            if (m_scheduler->Pending(paths[i]) &&
                (cells[cell] == CellState::Waiting || unread[cell] == CellState::Waiting)) {
                (cells[cell] == CellState::Waiting ? cells : unread)[cell] = CellState::UnderWay;
                looked[cell] = CellState::Done;
            }
        }
        allLooked = false;
        fromLook = fromFull = m_viewTop;
    };
    // Shows what the scheduler handed out, in the cell its picture now has.
    const auto show = [&] {
        m_scheduler->Collect(fetched); // also when this step asked the workers for nothing
        int made = 0;
        for (TPictureResult& item : fetched) {
            const QString& path = item.Request.Path;
            const int index = indexOf.value(path, -1);
            if (index < 0) {
                continue; // the cell went
            }
            const auto cell = static_cast<size_t>(index);
            if (item.Kind == TJobKind::FirstImage) {
                if (cells[cell] != CellState::Done && !item.Picture.isNull()) {
                    PostFirstImage(index, path, item.Picture);
                }
            } else if (cells[cell] != CellState::Done) {
                made += !item.FromCache && !item.Picture.isNull();
                cells[cell] = CellState::Done;
                PostShow(index, path, false, item.Picture, counter, total);
            } else if (unread[cell] == CellState::UnderWay) {
                made += !item.FromCache && !item.Picture.isNull();
                unread[cell] = CellState::Done;
                PostPicture(index, path, item.Picture); // counted when it was found
            }
        }
        fetched.clear();
        SaveNowAndThen(made);
    };
    const auto request = [&](int index) {
        m_scheduler->Thumbnail({0, index, paths[index], m_readBox, TFileLook()}, fetched);
    };
    // The thumbnail of the cell, from the cache or rendered and stored.
    const auto full = [&](int index) {
        cells[static_cast<size_t>(index)] = CellState::UnderWay;
        looked[static_cast<size_t>(index)] = CellState::Done;
        request(index);
    };
    // A thumbnail counted when the cache was found to have it, read for the grid.
    const auto read = [&](int index) {
        unread[static_cast<size_t>(index)] = CellState::UnderWay;
        request(index);
    };
    // What the listing found in the cache: a thumbnail stored is read at once when `readStored`
    // (the cells in view), else only counted, as it is made, and read later (looked up again
    // then); a missing one has the file's first image asked for.
    const auto lookUp = [&](int index, bool readStored) {
        const auto cell = static_cast<size_t>(index);
        looked[cell] = CellState::Done;
        const QString& path = paths[index];
        if (IsMovieFile(path)) {
            cells[cell] = CellState::Done;
            PostShow(index, path, true, QImage(), counter, total);
        } else if (!m_storedPaths.contains(path)) {
            m_scheduler->FirstImage({0, index, path, m_readBox, TFileLook()}, fetched);
        } else if (readStored) {
            full(index);
        } else {
            cells[cell] = CellState::Done;
            unread[cell] = CellState::Waiting;
            PostMade(index, path, counter, total);
        }
    };
    // Whichever of two cells comes first going round from `from`.
    const auto sooner = [&](int a, int b, int from) {
        const int count = int(cells.size());
        const auto ahead = [&](int i) { return (i - from % count + count) % count; };
        return a < 0 ? b : b < 0 ? a : ahead(a) <= ahead(b) ? a : b;
    };

    m_scheduler->Begin();
    look();
    if (cells.empty()) {
        ReportNow(100);
        return;
    }
    for (;;) {
        CheckTerminate();
        // Once every thumbnail is made (" 読込完了"), what is left only shows them: it gives
        // way without a word to whoever needs the cache, and goes on with ResumeFill().
        const bool filling = counter >= total;
        if (NewListRequested || AbortRequested || (filling && YieldRequested)) {
            m_scheduler->Cancel();
            m_fillLeft = filling;
            if (!NewListRequested && !filling) {
                ReportNow(-1);
            }
            return;
        }
        if (SortChanged.exchange(false)) {
            look();
        }
        const int last = int(cells.size()) - 1;
        const int top = std::clamp(m_grid.SharedFirstVisibleIndex(), 0, last);
        const int bottom = std::clamp(m_grid.SharedLastVisibleIndex(), top, last);
        if (top != m_viewTop) {
            m_viewTop = top; // the view moved: each stage begins again at its rows
            fromLook = fromFull = top;
        }
        // In turn: the cells in view from the cache or with their first image; the first
        // images of every cell; the thumbnails of the cells in view; those of the rest.
        int index = NextCellIn(looked, top, bottom);
        if (index < 0) {
            index = NextCellIn(unread, top, bottom);
            if (index >= 0) {
                read(index);
                show();
                continue;
            }
        }
        if (index < 0 && !allLooked) {
            index = NextCell(looked, fromLook);
            allLooked = index < 0;
            if (index >= 0) {
                fromLook = index + 1;
            }
        }
        if (index >= 0) {
            lookUp(index, index >= top && index <= bottom);
        } else if ((index = NextCellIn(cells, top, bottom)) >= 0) {
            full(index);
        } else if ((index = sooner(NextCell(cells, fromFull), NextCell(unread, fromFull),
                                   fromFull)) >= 0) {
            fromFull = index + 1;
            if (cells[static_cast<size_t>(index)] == CellState::Waiting) {
                full(index);
            } else {
                read(index);
            }
        } else {
            m_scheduler->Finish(fetched); // the last few renders
            show();
            if (SortChanged) { // some may have come for cells sorted elsewhere meanwhile
                continue;
            }
            return;
        }
        show();
    }
}

template <class F> void TImageListThread::PostToGui(F&& f) {
    // Run without waiting: the GUI thread fits and paints while this thread goes on. At most
    // MaxQueuedShows wait; then the loader waits until they are shown.
    ++m_queuedShows;
    QMetaObject::invokeMethod(
        m_handOver.get(),
        [this, f = std::forward<F>(f)] {
            --m_queuedShows;
            try {
                f();
            } catch (const std::exception&) {
                // The cell keeps what it had; the load goes on.
            }
        },
        Qt::QueuedConnection);
    if (m_queuedShows.load() > MaxQueuedShows) {
        OnGui([] {}); // runs after every show posted before it
    }
}

int TImageListThread::Count(int& counter, int total) {
    ++counter;
    const int percent = ProgressPercent(counter, total);
    const bool report = percent != m_lastPercent;
    m_lastPercent = percent;
    return report ? percent : NoReport;
}

void TImageListThread::PostShow(int index, const QString& path, bool movie, const QImage& picture,
                                int& counter, int total) {
    const int percent = Count(counter, total);
    PostToGui([this, index, path, movie, picture, percent] {
        ShowThumbnail(index, path, movie, picture);
        if (percent != NoReport) {
            m_host.SetLoadProgress(percent);
        }
    });
}

void TImageListThread::PostMade(int index, const QString& path, int& counter, int total) {
    const int percent = Count(counter, total);
    PostToGui([this, index, path, percent] {
        if (index < m_grid.Count() && m_grid.ItemFacts(index).FullPath == path) {
            TItemFacts facts = m_grid.ItemFacts(index);
            facts.Loaded = true;
            m_grid.SetItemFacts(index, facts);
        }
        if (percent != NoReport) {
            m_host.SetLoadProgress(percent);
        }
    });
}

void TImageListThread::PostPicture(int index, const QString& path, const QImage& picture) {
    PostToGui([this, index, path, picture] { ShowThumbnail(index, path, false, picture); });
}

void TImageListThread::PostFirstImage(int index, const QString& path, const QImage& picture) {
    PostToGui([this, index, path, picture] {
        if (index < m_grid.Count() && m_grid.ItemFacts(index).FullPath == path) {
            m_grid.SetFirstImage(index, picture);
        }
    });
}

void TImageListThread::ShowThumbnail(int index, const QString& path, bool movie,
                                     const QImage& picture) {
    // Found again by its path, should the grid have been reordered meanwhile.
    if (index >= m_grid.Count() || m_grid.ItemFacts(index).FullPath != path) {
        return;
    }
    TItemFacts facts = m_grid.ItemFacts(index);
    QImage shown = picture;
    if (movie) {
        shown = MakeIconBitmap(path); // the file type's icon, shown and printed alike
        facts.Shown = shown.size();
    }
    if (shown.isNull()) {
        m_grid.SetLoadFailed(index);
    } else {
        TakeThumbnailTurn(facts, shown.size());
        m_grid.SetThumbnail(index, shown);
    }
    facts.Loaded = true;
    m_grid.SetItemFacts(index, facts);
}

void TImageListThread::ReportNow(int percent) {
    OnGui([&] { m_host.SetLoadProgress(percent); });
    m_lastPercent = percent;
}

} // namespace mirte
