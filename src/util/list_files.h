#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace mirte {

// Entries dealt out by their names' extensions (lower-cased), to be taken back grouped in the
// order the extensions were given, each group in the order it was filled.
class TExtensionGroups {
public:
    explicit TExtensionGroups(const QStringList& extensions);
    // The group of the name's extension; null when it is none of the given ones.
    QStringList* GroupOf(const QString& name);
    // Every group, one after another, in the extensions' order (an extension given twice
    // counts once). Once: the groups are gone afterwards.
    QStringList TakeAll();

private:
    QStringList m_extensions;
    QHash<QString, QStringList> m_groups;
};

// The names (without folder) of the folder's regular files whose extension, lower-cased, is one
// of the given ones: grouped by extension in the given order, each file once.
QStringList ListFiles(const QString& folder, const QStringList& extensions);
// The same files as full paths (folder, "/", name).
QStringList ListFilePaths(const QString& folder, const QStringList& extensions);

} // namespace mirte
