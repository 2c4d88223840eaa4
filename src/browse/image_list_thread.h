#pragma once

#include "cache/item_facts.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QObject;

namespace mirte {

class TImageListHost;
class TThumbListView;
class TThumbnailDB;
class TPictureScheduler;

// The background loader: one thread for the life of the program that fills the grid with the
// files of a folder. A load cycle lists every file with its facts (progress 0 to 50 %), sorts
// the grid, then fetches the thumbnails (50 to 100 %) in stages: the cells in view from the
// cache, or a missing one with the small image its file carries of itself (its first image);
// the first images of every cell; the thumbnails of the cells in view; those of the rest. Each
// stage starts at the first cell in view, and there again whenever the view moves. A first
// image is shown until the cell's thumbnail comes, and counts for nothing in the progress.
// Between loads it sleeps.
// Pictures not in the cache are rendered by a pool of workers (TRenderPool::DefaultWorkers) that
// the loader owns; they see only a path and a box, and the loader alone stores what they make.
//
// Threads: every public method is called on the GUI thread. The loader thread changes the grid
// and calls the host only through hand-overs to the GUI thread: synchronous ones
// (Qt::BlockingQueuedConnection), during which it waits, and for the fetched thumbnails queued
// ones, of which only a few may wait at a time; so the GUI thread must never block on
// the loader except through Terminate() and StopLoad(), which keep serving those hand-overs.
// Neither may be called from inside a TImageListHost method (the loader is waiting for that
// very call): queue it instead. Call Terminate() before the grid, the cache or the host go.
//
// The cache has no lock: while Loading() is true only the loader may use it. Stop the load
// with StopLoad() before any other use (the cache settings dialog).
class TImageListThread {
public:
    // Thumbnails handed to the GUI thread but not yet shown, at most.
    static constexpr int MaxQueuedShows = 4;
    // Items whose facts are handed to the grid together, at most.
    static constexpr std::size_t MaxFactsBatch = 256;
    // During a long load the cache's table is saved after this many new records or this many
    // seconds with new records, whichever comes first: a crash loses at most that much work.
    static constexpr int SaveEveryRecords = 200;
    static constexpr int SaveEverySeconds = 30;

    // grid, db and host must outlive this object (or its Terminate()). The thread starts and
    // sleeps at once.
    TImageListThread(TThumbListView& grid, TThumbnailDB& db, TImageListHost& host);
    // Terminate().
    ~TImageListThread();
    TImageListThread(const TImageListThread&) = delete;
    TImageListThread& operator=(const TImageListThread&) = delete;

    // Loads these files (full paths) into the grid; a load in progress restarts with them.
    void SetFileList(const QStringList& files);
    // Loads the browsed files of `root` and of every folder below it: the loader walks the tree
    // first (interruptible, its progress told to the host), then lists them as SetFileList
    // does, each item with its folder relative to root.
    void SetFolderTree(const QString& root);
    // Loads the same files again (a tree is walked again).
    void Reload();
    // Ends the load: during the listing the grid is emptied, later what was fetched stays.
    // Both report -1 (" 読込中止").
    void AbortLoad();
    // The display box; the cache keeps its 512 box. Reloads.
    void SetThumbnailSize(int width, int height);
    // 0 name, 1 size, 2 shooting date; other values are ignored. Sorts the grid at once.
    void SetSortOrder(int order);
    int SortOrder() const { return m_sortOrder.load(); }
    // Makes the selected item's thumbnail again (the grid's "この画像の再読込み"). Only between
    // loads; does nothing while Loading().
    void ReloadSelected();

    // Whether a load is asked for or running (the cache belongs to the loader then).
    bool Loading() const { return m_busy.load(); }
    // Aborts a running load and waits until the loader sleeps, serving its hand-overs; after
    // this the GUI thread may use the cache until the next request.
    void StopLoad();
    // For a load that has shown its end (" 読込完了" or " 読込中止") but still finishes its book-
    // keeping (the table's save) or reads the thumbnails it found in the cache for the grid:
    // the reading stops (ResumeFill goes on with it), the rest is waited for, serving the
    // loader's hand-overs, at most `limitMs`. True once the loader is idle; false at once when
    // another load is asked for.
    bool SettleIdle(int limitMs = 2000);
    // Reads the thumbnails a load left unread when it gave way to SettleIdle (the grid shows
    // them as it goes); does nothing when none were left.
    void ResumeFill();
    // Asks the thread to end and waits for it, serving its hand-overs, so that it can be
    // called in the middle of a load from the window's close. A load cut short saves the
    // cache's table first. Further calls do nothing.
    void Terminate();

    // How many load cycles have ended (for tests and benchmarks).
    int CyclesDone() const { return m_cyclesDone.load(); }

private:
    struct EndThread {}; // thrown on the loader thread when it must end

    // The grid's box in device pixels, read on the GUI thread when a load is asked for.
    QSize DisplayBox() const;
    void Run();
    void RunCycle();
    // Reads into the grid the thumbnails a load counted and left unread.
    void RunFill();
    // Walks the requested tree into `files`; false when the walk was interrupted (a stop
    // already shown).
    bool WalkTree(const QString& root, QStringList& files);
    // `kept`: the facts the grid held before, by path, whose turn was found.
    bool FirstPass(const QStringList& files, const QHash<QString, TItemFacts>& kept, int& counter,
                   int total);
    void SecondPass(int& counter, int total);
    // Hands a fetched picture (or a movie's icon, made there) to the GUI thread for its cell.
    void PostShow(int index, const QString& path, bool movie, const QImage& picture, int& counter,
                  int total);
    // Hands a file's first image to the GUI thread, for its cell until the thumbnail comes.
    void PostFirstImage(int index, const QString& path, const QImage& picture);
    // Counts a thumbnail the cache has as made, before it is read for the grid.
    void PostMade(int index, const QString& path, int& counter, int total);
    // Hands a thumbnail counted before to the GUI thread.
    void PostPicture(int index, const QString& path, const QImage& picture);
    // Counts one more thumbnail made: the percentage to report, or NoReport when it is the one
    // reported last.
    int Count(int& counter, int total);
    static constexpr int NoReport = -2;
    // Runs f on the GUI thread without waiting for it (but for the queue to shorten).
    template <class F> void PostToGui(F&& f);
    // GUI thread: the fetched picture into its cell, or the mark when there is none.
    void ShowThumbnail(int index, const QString& path, bool movie, const QImage& picture);
    void ReportNow(int percent);
    void SaveTable();
    // Saves the table when enough new records wait for it (see SaveEveryRecords).
    void SaveNowAndThen(int newRecords);
    void CheckTerminate() const;
    void Request(std::atomic<bool>& flag);
    // Runs f on the GUI thread and waits for it.
    template <class F> void OnGui(F&& f);
    // Waits until done() holds, serving the loader's hand-overs.
    template <class Done> void WaitServing(Done done);

    TThumbListView& m_grid;
    TThumbnailDB& m_db;
    TImageListHost& m_host;
    std::unique_ptr<QObject> m_handOver; // lives on the GUI thread; hand-overs run in its name

    std::mutex m_mutex;
    std::condition_variable m_wake;
    QStringList m_pendingList; // under m_mutex, with the display box of the request
    QString m_pendingRoot;     // a tree to walk instead of the list; empty: the list
    QSize m_pendingBox;

    std::atomic<bool> NewListRequested{false};
    std::atomic<bool> AbortRequested{false};
    std::atomic<bool> SortChanged{false};
    std::atomic<bool> TerminateRequested{false};
    std::atomic<bool> YieldRequested{false};
    std::atomic<bool> FillRequested{false};
    std::atomic<bool> m_fillLeft{false}; // a load gave way before the grid had every thumbnail
    std::atomic<bool> m_busy{false};     // written under m_mutex
    std::atomic<bool> m_ended{false};
    std::atomic<int> m_sortOrder{0};
    std::atomic<int> m_cyclesDone{0};
    std::atomic<int> m_queuedShows{0};

    // The loader thread's own state during a cycle.
    QString m_root;    // the tree being loaded; empty for a list of files
    int m_viewTop = 0; // the first cell in view when the loader last looked
    int m_lastPercent = -2;
    QSize
        m_readBox; // the load's display box in device pixels: stored thumbnails are read this large
    TPictureScheduler* m_scheduler = nullptr; // lives in Run(), with the render workers
    QSet<QString> m_storedPaths;              // the pictures the listing found in the cache
    int m_unsavedRecords = 0;
    std::chrono::steady_clock::time_point m_firstUnsaved;

    std::thread m_thread; // last: starts after everything above exists
};

} // namespace mirte
