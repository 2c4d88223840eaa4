// The loader's passes over a folder: the listing with its facts, then the pictures in stages
// (the cells in view first, the files' own small images before the thumbnails).
#include "cache/listed_facts.h"
#include "cache/picture_scheduler.h"
#include "cache/thumbnail_db.h"
#include "image_list_hand_over.h"
#include "image_list_host.h"
#include "load_progress.h"
#include "next_cell.h"
#include "thumb_list_view.h"

#include <QHash>
#include <algorithm>

namespace mirte {

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
        if (!m_root.isEmpty()) {
            facts.Folder = RelativeFolder(m_root, facts.FullPath);
        }
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

} // namespace mirte
