#include "sort_order.h"

#include "thumb_list_view.h"

#include <vector>

namespace mirte {

void ApplySortOrder(TThumbListView& grid, int order) {
    const int count = grid.Count();
    std::vector<TSortKey> keys;
    keys.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        TItemFacts facts = grid.ItemFacts(i);
        facts.SortOrder = order; // the caption line shows what the order uses
        grid.SetItemFacts(i, facts);
        keys.push_back(MakeSortKey(facts, order));
    }
    grid.Sort([&](int i, int j) {
        return KeyAfter(keys[static_cast<size_t>(i)], keys[static_cast<size_t>(j)], order);
    });
}

} // namespace mirte
