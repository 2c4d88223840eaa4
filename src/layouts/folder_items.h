#pragma once

#include "thumb_item_source.h"
#include "util/folder_walk.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace mirte {

class TThumbnailDB;

// A folder's items listed and described without a window, as the main window's loader does it:
// the pictures and movies of the browsed extensions, each with its facts from the cache, sorted
// in one of the grid's orders. No thumbnail is fetched here.
class TFolderItems : public TThumbItemSource {
public:
    TFolderItems() = default;
    // Items for these facts, in this order.
    explicit TFolderItems(std::vector<TItemFacts> items) : m_items(std::move(items)) {}

    // Lists `folder` (an unreadable one lists nothing) and reads each file's facts through the
    // cache; a file whose facts cannot be read is kept with its name and path only.
    static TFolderItems List(const QString& folder, TThumbnailDB& db);
    // Lists `root` and every folder below it as the grid shows a tree: each item with its
    // folder relative to `root`, in the walk's order. The folders the walk left out go to
    // `skipped` when it is given.
    static TFolderItems ListTree(const QString& root, TThumbnailDB& db,
                                 std::vector<TWalkSkip>* skipped = nullptr);
    // The same for files named one by one, in this order.
    static TFolderItems Describe(const QStringList& paths, TThumbnailDB& db);
    // Sets each item's caption line for the order and sorts the items by it as the grid does
    // (equal keys by name). Orders outside 0..2 are ignored.
    void Sort(int order);

    int Count() const override { return static_cast<int>(m_items.size()); }
    TItemFacts ItemFacts(int index) const override { return m_items.at(index); }
    int SelectedIndex() const override { return -1; }

private:
    std::vector<TItemFacts> m_items;
};

} // namespace mirte
