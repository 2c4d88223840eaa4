#include "image_list_thread.h"

#include "cache/icon_bitmap.h"
#include "cache/listed_facts.h"
#include "cache/picture_scheduler.h"
#include "cache/render_pool.h"
#include "cache/thumbnail_db.h"
#include "image_list_hand_over.h"
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
        m_pendingRoot.clear();
    }
    Reload();
}

void TImageListThread::SetFolderTree(const QString& root) {
    {
        std::lock_guard lock(m_mutex);
        m_pendingList.clear();
        m_pendingRoot = root;
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
        m_root = m_pendingRoot;
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
    if (!m_root.isEmpty()) {
        // The grid stays empty while the tree is walked.
        if (!WalkTree(m_root, files)) {
            return;
        }
        OnGui([&] { m_grid.SetCount(static_cast<int>(files.size())); });
    }

    int counter = 0;
    const int total = 2 * static_cast<int>(files.size());
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
