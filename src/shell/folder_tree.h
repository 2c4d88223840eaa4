#pragma once

#include <QElapsedTimer>
#include <QTreeView>

class QTimer;

class QFileSystemModel;

namespace mirte {

// The folder tree on the left of the main window: folders only, rooted at "/", the selection
// kept in view, a right click selecting the folder under the mouse before its menu opens.
class TShellTreeView : public QTreeView {
    Q_OBJECT

public:
    explicit TShellTreeView(QWidget* parent = nullptr);

    // The selected folder's path; empty when nothing is selected.
    QString Path() const;
    // Selects the folder (expanding its parents); false when it is not a folder.
    bool SelectPath(const QString& path);
    // Brings the tree up to date from the top: folders made or removed since show up.
    void RefreshFromTop();

signals:
    // The user (or SelectPath) chose another folder.
    void FolderChanged(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Folders are read and sorted in the background: each one read above the selection moves
    // it, so for a few seconds after SelectPath the tree scrolls it back into view, until the
    // user takes over.
    void KeepSelectionInView();
    void StopRevealing() { m_revealing = false; }

    QFileSystemModel* m_model;
    QTimer* m_revealTimer;
    QElapsedTimer m_revealClock;
    bool m_revealing = false;
};

} // namespace mirte
