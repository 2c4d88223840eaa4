#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QPushButton;
class QTreeView;

namespace mirte {

// The cache folder chooser ("保存先選択"): a list of the mounted volumes and the folder tree of
// the chosen one.
class TfrmSelectCachePath : public QDialog {
    Q_OBJECT
public:
    TfrmSelectCachePath(const QString& defaultCacheDir, QWidget* owner = nullptr);

    // Shows the folder, then the dialog modally; the folder chosen with OK, or nothing.
    std::optional<QString> Execute(const QString& folder);

    // Lists the volumes and shows the folder in the tree of its volume.
    void FormCreate(const QString& folder);
    // Whether the volume whose root this is can be used: mounted and readable.
    static bool DriveReady(const QString& rootPath);
    // The root of the volume that holds the path (or would hold it, when it does not exist yet).
    static QString VolumeRootOf(const QString& path);

    // The folder selected in the tree.
    QString SelectedFolder() const { return m_folder; }
    // The root of the volume shown in the tree.
    QString ShownVolume() const { return m_volume; }

    QLabel* Label1 = nullptr;
    QComboBox* DriveComboBox = nullptr; // item data: the volume's root path
    QTreeView* DirectoryListBox = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnStart = nullptr;

public slots:
    void DriveComboBoxChange(int index);
    void DirectoryListBoxChange();
    void BtnOKClick();
    void BtnCancelClick();
    void BtnStartClick();

private:
    void FillVolumes(const QStringList& mustHave);
    void SelectVolumeItem(const QString& root);
    void ShowFolder(const QString& folder);

    QString m_defaultCacheDir;
    QFileSystemModel* m_model = nullptr;
    QString m_volume;
    QString m_folder;
};

} // namespace mirte
