#include "list_files.h"

#include "dir_list.h"
#include "paths.h"

#include <QHash>

namespace mirte {

QStringList ListFiles(const QString& folder, const QStringList& extensions) {
    // One pass over the folder, then the names are dealt out by extension.
    QHash<QString, QStringList> byExtension;
    for (const QString& ext : extensions) {
        byExtension.insert(ext, {});
    }
    TDirList list(folder);
    while (list.Next()) {
        if (!list.IsRegular()) {
            continue;
        }
        const auto group = byExtension.find(ExtractExt(list.Name()));
        if (group != byExtension.end()) {
            group->append(list.Name());
        }
    }
    QStringList names;
    for (const QString& ext : extensions) {
        // take() empties the group, so an extension listed twice adds nothing the second time.
        names.append(byExtension.take(ext));
    }
    return names;
}

QStringList ListFilePaths(const QString& folder, const QStringList& extensions) {
    QStringList paths = ListFiles(folder, extensions);
    for (QString& name : paths) {
        name = JoinPath(folder, name);
    }
    return paths;
}

} // namespace mirte
