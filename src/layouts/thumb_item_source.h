#pragma once

#include "cache/item_facts.h"

#include <QImage>

namespace mirte {

// A folder's items as the print layouts read them, without the grid widget: the items in
// display order, their facts, and the selection.
// The main window hands over its grid through this, the command line a listed folder.
// Called on the GUI thread only.
class TThumbItemSource {
public:
    virtual ~TThumbItemSource() = default;

    virtual int Count() const = 0;
    // The facts of item index (0 <= index < Count()).
    virtual TItemFacts ItemFacts(int index) const = 0;
    // The selected item, -1 for none.
    virtual int SelectedIndex() const = 0;
    // The thumbnail shown for the item (in device pixels), when there is one in memory.
    virtual QImage Thumbnail(int index) const {
        (void)index;
        return {};
    }
};

} // namespace mirte
