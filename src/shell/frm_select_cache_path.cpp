#include "frm_select_cache_path.h"

#include "entry_icons.h"
#include "msg_manage.h"
#include "print/dialog_util.h"
#include "util/file_access.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <map>
#include <unistd.h>

namespace mirte {

namespace {

// The nearest folder of the path that exists (the path itself when it does).
QString ExistingAncestor(const QString& path) {
    QString existing = QFileInfo(path.isEmpty() ? QDir::rootPath() : path).absoluteFilePath();
    while (!QFileInfo(existing).isDir() && QFileInfo(existing).path() != existing) {
        existing = QFileInfo(existing).path();
    }
    return existing;
}

QString VolumeCaption(const QStorageInfo& volume) {
    QString caption = volume.rootPath();
    const QString name = volume.name();
    if (!name.isEmpty() && name != caption) {
        caption += QStringLiteral("  [%1]").arg(name);
    }
    return caption;
}

} // namespace

TfrmSelectCachePath::TfrmSelectCachePath(const QString& defaultCacheDir, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_defaultCacheDir(defaultCacheDir) {
    setWindowTitle(tr("保存先選択"));
    setFont(WindowFont());
    setFixedSize(300, 342);

    Label1 = new QLabel(tr("キャッシュの保存先を指定してください。"), this);
    Label1->setGeometry(12, 8, 276, 18);
    DriveComboBox = new QComboBox(this);
    DriveComboBox->setGeometry(12, 30, 276, 24);

    m_model = new QFileSystemModel(this);
    m_model->setIconProvider(&EntryIcons()); // listing a folder reads none of its files
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    DirectoryListBox = new QTreeView(this);
    DirectoryListBox->setGeometry(12, 60, 276, 238);
    DirectoryListBox->setModel(m_model);
    DirectoryListBox->setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column) {
        DirectoryListBox->hideColumn(column);
    }

    BtnOK = AddDialogButton(this, tr("OK"), QRect(12, 308, 84, 25));
    BtnCancel = AddDialogButton(this, tr("キャンセル"), QRect(108, 308, 84, 25));
    BtnStart = AddDialogButton(this, tr("初期値"), QRect(204, 308, 84, 25));

    connect(DriveComboBox, &QComboBox::currentIndexChanged, this,
            &TfrmSelectCachePath::DriveComboBoxChange);
    connect(DirectoryListBox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfrmSelectCachePath::DirectoryListBoxChange);
    connect(BtnOK, &QPushButton::clicked, this, &TfrmSelectCachePath::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TfrmSelectCachePath::BtnCancelClick);
    connect(BtnStart, &QPushButton::clicked, this, &TfrmSelectCachePath::BtnStartClick);
}

std::optional<QString> TfrmSelectCachePath::Execute(const QString& folder) {
    FormCreate(folder);
    CentreWindow(*this);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_folder;
}

void TfrmSelectCachePath::FormCreate(const QString& folder) {
    FillVolumes({folder, m_defaultCacheDir});
    ShowFolder(folder);
}

bool TfrmSelectCachePath::DriveReady(const QString& rootPath) {
    if (rootPath.isEmpty() || !QFileInfo(rootPath).isDir()) {
        return false;
    }
    const QStorageInfo volume(rootPath);
    if (!volume.isValid() || !volume.isReady() || volume.bytesTotal() < 0) {
        return false;
    }
    return ::access(QFile::encodeName(rootPath).constData(), R_OK | X_OK) == 0;
}

QString TfrmSelectCachePath::VolumeRootOf(const QString& path) {
    const QStorageInfo volume(ExistingAncestor(path));
    return volume.isValid() ? volume.rootPath() : QDir::rootPath();
}

void TfrmSelectCachePath::FillVolumes(const QStringList& mustHave) {
    std::map<QString, QString> volumes; // root path -> caption, sorted by root
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            volumes.emplace(volume.rootPath(), VolumeCaption(volume));
        }
    }
    // The volumes of the cache folder and of the default folder are always offered.
    for (const QString& path : mustHave) {
        const QStorageInfo volume(ExistingAncestor(path));
        if (volume.isValid()) {
            volumes.emplace(volume.rootPath(), VolumeCaption(volume));
        }
    }
    const QSignalBlocker blocker(DriveComboBox);
    DriveComboBox->clear();
    for (const auto& [root, caption] : volumes) {
        DriveComboBox->addItem(caption, root);
    }
}

void TfrmSelectCachePath::SelectVolumeItem(const QString& root) {
    const QSignalBlocker blocker(DriveComboBox);
    DriveComboBox->setCurrentIndex(DriveComboBox->findData(root));
}

void TfrmSelectCachePath::ShowFolder(const QString& folder) {
    const QString root = VolumeRootOf(folder);
    SelectVolumeItem(root);
    m_volume = root;
    m_model->setRootPath(root);
    DirectoryListBox->setRootIndex(m_model->index(root));
    const bool exists = QFileInfo(folder).isDir();
    const QString shown = exists ? QFileInfo(folder).absoluteFilePath() : root;
    const QModelIndex index = m_model->index(shown);
    if (exists && index.isValid() && shown != root) {
        DirectoryListBox->setCurrentIndex(index);
        DirectoryListBox->scrollTo(index);
    } else {
        DirectoryListBox->setCurrentIndex(QModelIndex());
    }
    m_folder = shown; // after setCurrentIndex, whose signal sets it too
}

void TfrmSelectCachePath::DriveComboBoxChange(int index) {
    QString root = DriveComboBox->itemData(index).toString();
    if (!DriveReady(root)) {
        ShowMessageBox(tr("%1:ドライブにディスクを挿入してください。").arg(root), ProgramCaption(),
                       {mkOK});
        SelectVolumeItem(m_volume);
        return; // the folder list still shows the previous volume
    }
    if (root != m_volume) {
        ShowFolder(root);
    }
}

void TfrmSelectCachePath::DirectoryListBoxChange() {
    const QModelIndex current = DirectoryListBox->currentIndex();
    m_folder = current.isValid() ? m_model->filePath(current) : m_volume;
}

void TfrmSelectCachePath::BtnOKClick() {
    accept();
}

void TfrmSelectCachePath::BtnCancelClick() {
    reject();
}

void TfrmSelectCachePath::BtnStartClick() {
    // The default folder may not have been made yet (it is made when the program falls back to
    // it); make it, so that it can be shown and chosen.
    MakeFolderPath(m_defaultCacheDir, TFileAccess::Private);
    ShowFolder(m_defaultCacheDir);
}

} // namespace mirte
