#include "entry_icons.h"

#include <QAbstractFileIconProvider>
#include <QFileInfo>

namespace mirte {

namespace {

class TEntryIconProvider : public QAbstractFileIconProvider {
public:
    using QAbstractFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override {
        return icon(info.isDir() ? QAbstractFileIconProvider::Folder
                                 : QAbstractFileIconProvider::File);
    }
    QString type(const QFileInfo& info) const override {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }
};

} // namespace

QAbstractFileIconProvider& EntryIcons() {
    static TEntryIconProvider icons; // outlives every model that uses it
    return icons;
}

} // namespace mirte
