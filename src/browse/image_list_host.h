#pragma once

#include "util/folder_walk.h"

#include <vector>

namespace mirte {

// What the loader needs of the main window. Every method runs on the GUI thread (the loader
// calls them through its synchronous hand-overs).
class TImageListHost {
public:
    virtual ~TImageListHost() = default;

    // The load state: 0..99 percent while loading, 100 or more " 読込完了", below 0 " 読込中止".
    virtual void SetLoadProgress(int percent) = 0;
    // The grid's "この画像の再読込み" menu item: disabled while loading, enabled after a load
    // that left at least one item.
    virtual void SetRepaintItemEnabled(bool enabled) = 0;
    // While a folder tree is walked (before its files are listed): the folders and files found
    // so far.
    virtual void SetWalkProgress(int folders, int files) = 0;
    // A walk ended: the folders and files listed, and what it left out with the reasons.
    virtual void SetTreeWalked(int folders, int files, const std::vector<TWalkSkip>& skipped) = 0;
};

} // namespace mirte
