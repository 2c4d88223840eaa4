#include "folder_tree.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>

namespace mirte {

TShellTreeView::TShellTreeView(QWidget* parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this)) {
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setReadOnly(true);
    m_model->setRootPath(QStringLiteral("/"));
    setModel(m_model);
    setRootIndex(m_model->index(QStringLiteral("/")));
    // One column: the folder names, like a shell tree.
    for (int column = 1; column < m_model->columnCount(); ++column) {
        hideColumn(column);
    }
    header()->hide();
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAutoScroll(true);
    connect(m_model, &QFileSystemModel::directoryLoaded, this,
            &TShellTreeView::KeepSelectionInView);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    scrollTo(current);
                    emit FolderChanged(m_model->filePath(current));
                }
            });
}

QString TShellTreeView::Path() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

bool TShellTreeView::SelectPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir()) {
        return false;
    }
    const QModelIndex index = m_model->index(info.absoluteFilePath());
    if (!index.isValid()) {
        return false;
    }
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) {
        expand(parent);
    }
    setCurrentIndex(index);
    m_revealPath = info.absoluteFilePath();
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

void TShellTreeView::RefreshFromTop() {
    // QFileSystemModel watches the folders it has read; a new root path makes it read them anew.
    const QString selected = Path();
    m_model->setRootPath(QString());
    m_model->setRootPath(QStringLiteral("/"));
    if (!selected.isEmpty()) {
        const QModelIndex index = m_model->index(selected);
        if (index.isValid()) {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        }
    }
}

void TShellTreeView::KeepSelectionInView(const QString& loadedFolder) {
    if (m_revealPath.isEmpty() || !m_revealPath.startsWith(loadedFolder)) {
        return;
    }
    const QModelIndex index = m_model->index(m_revealPath);
    if (index.isValid() && index == currentIndex()) {
        scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
}

void TShellTreeView::wheelEvent(QWheelEvent* event) {
    m_revealPath.clear();
    QTreeView::wheelEvent(event);
}

void TShellTreeView::mousePressEvent(QMouseEvent* event) {
    m_revealPath.clear();
    // A right click selects the folder first, so that its menu acts on the folder clicked.
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) {
            setCurrentIndex(index);
        }
    }
    QTreeView::mousePressEvent(event);
}

} // namespace mirte
