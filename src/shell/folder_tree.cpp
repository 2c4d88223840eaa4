#include "folder_tree.h"

#include "entry_icons.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

namespace mirte {

TShellTreeView::TShellTreeView(QWidget* parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this)) {
    m_model->setIconProvider(&EntryIcons()); // listing a folder reads none of its files
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
    m_revealTimer = new QTimer(this);
    m_revealTimer->setSingleShot(true);
    m_revealTimer->setInterval(0);
    connect(m_revealTimer, &QTimer::timeout, this, &TShellTreeView::KeepSelectionInView);
    connect(m_model, &QAbstractItemModel::layoutChanged, m_revealTimer,
            qOverload<>(&QTimer::start));
    connect(m_model, &QAbstractItemModel::rowsInserted, m_revealTimer, qOverload<>(&QTimer::start));
    connect(m_model, &QFileSystemModel::directoryLoaded, m_revealTimer,
            qOverload<>(&QTimer::start));
    connect(verticalScrollBar(), &QScrollBar::sliderPressed, this, &TShellTreeView::StopRevealing);
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
    m_revealing = true;
    m_revealClock.start();
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

void TShellTreeView::RefreshFromTop() {
    // The model watches every folder it has read and follows changes by itself; what is left
    // is to show the selection again.
    const QModelIndex current = currentIndex();
    if (current.isValid()) {
        scrollTo(current);
    }
}

void TShellTreeView::KeepSelectionInView() {
    constexpr qint64 kRevealMs = 5000;
    if (!m_revealing || m_revealClock.elapsed() > kRevealMs) {
        m_revealing = false;
        return;
    }
    if (currentIndex().isValid()) {
        scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    }
}

void TShellTreeView::wheelEvent(QWheelEvent* event) {
    StopRevealing();
    QTreeView::wheelEvent(event);
}

void TShellTreeView::keyPressEvent(QKeyEvent* event) {
    StopRevealing();
    QTreeView::keyPressEvent(event);
}

void TShellTreeView::mousePressEvent(QMouseEvent* event) {
    StopRevealing();
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
