#include "list_files.h"

#include "dir_list.h"
#include "paths.h"

namespace mirte {

TExtensionGroups::TExtensionGroups(const QStringList& extensions) : m_extensions(extensions) {
    for (const QString& ext : extensions) {
        m_groups.insert(ext, {});
    }
}

QStringList* TExtensionGroups::GroupOf(const QString& name) {
    const auto group = m_groups.find(ExtractExt(name));
    return group != m_groups.end() ? &*group : nullptr;
}

QStringList TExtensionGroups::TakeAll() {
    QStringList all;
    for (const QString& ext : m_extensions) {
        // take() empties the group, so an extension given twice adds nothing the second time.
        all.append(m_groups.take(ext));
    }
    return all;
}

QStringList ListFiles(const QString& folder, const QStringList& extensions) {
    // One pass over the folder, then the names are dealt out by extension.
    TExtensionGroups groups(extensions);
    TDirList list(folder);
    while (list.Next()) {
        if (list.IsRegular()) {
            if (QStringList* group = groups.GroupOf(list.Name())) {
                group->append(list.Name());
            }
        }
    }
    return groups.TakeAll();
}

QStringList ListFilePaths(const QString& folder, const QStringList& extensions) {
    QStringList paths = ListFiles(folder, extensions);
    for (QString& name : paths) {
        name = JoinPath(folder, name);
    }
    return paths;
}

} // namespace mirte
