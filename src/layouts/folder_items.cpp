#include "folder_items.h"

#include "cache/item_facts.h"
#include "cache/sort_keys.h"
#include "picture/picture_format.h"
#include "util/list_files.h"

#include <algorithm>
#include <exception>
#include <numeric>

namespace mirte {

TFolderItems TFolderItems::List(const QString& folder, TThumbnailDB& db) {
    return Describe(ListFilePaths(folder, BrowsedExtensions()), db);
}

TFolderItems TFolderItems::Describe(const QStringList& paths, TThumbnailDB& db) {
    std::vector<QStringList> infos;
    for (const QString& path : paths) {
        infos.push_back(ItemFacts(db, path)); // as the loader lists them
    }
    return TFolderItems(std::move(infos));
}

void TFolderItems::Sort(int order) {
    if (order < 0 || order >= SortOrderCount) {
        return;
    }
    std::vector<TSortKey> keys;
    keys.reserve(m_infos.size());
    for (QStringList& info : m_infos) {
        info[ieSortLine] = SortCaptionLine(info, order);
        keys.push_back(MakeSortKey(info, order));
    }
    std::vector<size_t> position(m_infos.size());
    std::iota(position.begin(), position.end(), size_t{0});
    std::stable_sort(position.begin(), position.end(),
                     [&](size_t a, size_t b) { return KeyAfter(keys[b], keys[a], order); });
    std::vector<QStringList> sorted;
    sorted.reserve(m_infos.size());
    for (size_t i : position) {
        sorted.push_back(std::move(m_infos[i]));
    }
    m_infos = std::move(sorted);
}

} // namespace mirte
