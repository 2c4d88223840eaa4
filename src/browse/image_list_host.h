#pragma once

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
};

} // namespace mirte
