// The loader's walk of a folder tree, before the tree's files are listed like a folder's.
#include "image_list_hand_over.h"
#include "image_list_host.h"
#include "image_list_thread.h"
#include "picture/picture_format.h"
#include "thumb_list_view.h"
#include "util/folder_walk.h"

#include <chrono>

namespace mirte {

bool TImageListThread::WalkTree(const QString& root, QStringList& files) {
    using Clock = std::chrono::steady_clock;
    // The walk's counts are shown a few times a second: a hand-over per folder would cost a
    // tree of small folders more than its walk.
    constexpr auto kShowEvery = std::chrono::milliseconds(100);
    ReportNow(0);
    Clock::time_point shown = Clock::now();
    TWalkHooks hooks;
    hooks.Stop = [this] { return NewListRequested || AbortRequested || TerminateRequested; };
    hooks.Progress = [&](int folders, int found) {
        if (Clock::now() - shown >= kShowEvery) {
            OnGui([&] { m_host.SetWalkProgress(folders, found); });
            shown = Clock::now();
        }
    };
    TFolderWalk walk = WalkFolderTree(root, BrowsedExtensions(), hooks);
    if (walk.Stopped) {
        if (NewListRequested) {
            return false;
        }
        CheckTerminate();
        OnGui([this] {
            m_grid.SetCount(0);
            m_host.SetLoadProgress(-1);
        });
        return false;
    }
    OnGui([&] {
        m_host.SetTreeWalked(walk.FolderCount, static_cast<int>(walk.Files.size()), walk.Skipped);
    });
    files = std::move(walk.Files);
    return true;
}

} // namespace mirte
