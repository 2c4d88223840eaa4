#include "module_list.h"

#include "util/dir_list.h"
#include "util/file_facts.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace mirte {

QString ModuleList(const QString& exePath) {
    const QFileInfo exe(exePath);
    QStringList names{exe.fileName()};
    QStringList libraries;
    TDirList list(exe.absolutePath());
    list.SetMask(QStringLiteral("*.so*"));
    while (list.Next()) {
        if (!list.IsDir()) {
            libraries.append(list.Name());
        }
    }
    SortNamesIgnoringCase(libraries);
    names.append(libraries);

    QStringList entries;
    for (const QString& name : names) {
        QString time;
        qint64 size = 0;
        if (GetFileTimeSize(exe.absoluteDir().filePath(name), time, size)) {
            entries.append(QStringLiteral("%1 %2").arg(name, -16).arg(time));
        }
    }
    return entries.join(QStringLiteral("\r\n\t   "));
}

} // namespace mirte
