#include "folder_items.h"

#include "cache/item_facts.h"
#include "cache/listed_facts.h"
#include "cache/sort_keys.h"
#include "picture/picture_format.h"
#include "util/folder_walk.h"
#include "util/list_files.h"

#include <algorithm>
#include <exception>
#include <numeric>
#include <utility>

namespace mirte {

TFolderItems TFolderItems::List(const QString& folder, TThumbnailDB& db) {
    return Describe(ListFilePaths(folder, BrowsedExtensions()), db);
}

TFolderItems TFolderItems::ListTree(const QString& root, TThumbnailDB& db,
                                    std::vector<TWalkSkip>* skipped) {
    TFolderWalk walk = WalkFolderTree(root, BrowsedExtensions());
    TFolderItems items = Describe(walk.Files, db);
    for (TItemFacts& facts : items.m_items) {
        facts.Folder = RelativeFolder(root, facts.FullPath);
    }
    if (skipped != nullptr) {
        *skipped = std::move(walk.Skipped);
    }
    return items;
}

TFolderItems TFolderItems::Describe(const QStringList& paths, TThumbnailDB& db) {
    std::vector<TItemFacts> items;
    items.reserve(static_cast<size_t>(paths.size()));
    for (const QString& path : paths) {
        items.push_back(ReadItemFacts(db, path)); // as the loader lists them
    }
    return TFolderItems(std::move(items));
}

void TFolderItems::Sort(int order) {
    if (order < 0 || order >= SortOrderCount) {
        return;
    }
    std::vector<TSortKey> keys;
    keys.reserve(m_items.size());
    for (TItemFacts& facts : m_items) {
        facts.SortOrder = order; // the caption line shows what the order uses
        keys.push_back(MakeSortKey(facts, order));
    }
    std::vector<size_t> position(m_items.size());
    std::iota(position.begin(), position.end(), size_t{0});
    std::stable_sort(position.begin(), position.end(),
                     [&](size_t a, size_t b) { return KeyAfter(keys[b], keys[a], order); });
    std::vector<TItemFacts> sorted;
    sorted.reserve(m_items.size());
    for (size_t i : position) {
        sorted.push_back(std::move(m_items[i]));
    }
    m_items = std::move(sorted);
}

} // namespace mirte
