#pragma once

#include "browse/thumb_list_view.h"
#include "layouts/thumb_item_source.h"

namespace mirte {

// The thumbnail grid as the print layouts read it: its items in display order, their facts and
// the selection. The grid must outlive it.
class TGridItemSource : public TThumbItemSource {
public:
    explicit TGridItemSource(const TThumbListView& grid) : m_grid(grid) {}
    int Count() const override { return m_grid.Count(); }
    TItemFacts ItemFacts(int index) const override { return m_grid.ItemFacts(index); }
    int SelectedIndex() const override { return m_grid.SelectedIndex(); }
    QImage Thumbnail(int index) const override { return m_grid.Item(index).Thumbnail(); }

private:
    const TThumbListView& m_grid;
};

} // namespace mirte
