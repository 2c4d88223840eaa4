#include "frm_thumbnail.h"

#include "browse/image_list_thread.h"
#include "browse/thumb_list_view.h"
#include "cache/icon_bitmap.h"
#include "cache/sort_keys.h"
#include "cache/thumbnail_db.h"
#include "folder_tree.h"
#include "frm_cache.h"
#include "frm_gauge.h"
#include "load_state.h"
#include "msg_manage.h"
#include "picture/picture_format.h"
#include "print/dialog_util.h"
#include "print/print_windows.h"
#include "program_pictures.h"
#include "util/dir_list.h"
#include "util/ini_file.h"
#include "util/list_files.h"
#include "util/paths.h"
#include "util/ui_language.h"
#include "window_state.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <utility>

namespace mirte {

namespace {

QString FirstFolder(const QString& remembered) {
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) {
        return QFileInfo(remembered).absoluteFilePath();
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace

const std::vector<TThumbnailSize>& TfrmThumbnail::ThumbnailSizes() {
    static const std::vector<TThumbnailSize> sizes{{256, 256}, {128, 128}, {96, 96}};
    return sizes;
}

// FormCreate.
QSize TfrmThumbnail::PlaceAtStart(QSize size) {
    // The window never starts larger than the desktop's work area.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        size = size.boundedTo(area.size());
        resize(size);
        move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    } else {
        resize(size);
    }
    return size;
}

TfrmThumbnail::TfrmThumbnail(TWindowOptions options, QWidget* parent)
    : QMainWindow(parent), m_paths(std::move(options.Paths)), m_debugLog(options.DebugLog) {
    setObjectName(QStringLiteral("frmThumbnail"));
    setWindowTitle(ProgramCaption());
    setWindowIcon(ProgramIcon());
    setFont(WindowFont());
    setMinimumWidth(MinimumWidth);
    m_showMessage = [](const QString& text, const std::vector<std::uint8_t>& kinds) {
        return MsgManage().ShowMessageBox(text, ProgramCaption(), kinds);
    };

    const QSize size = PlaceAtStart(QSize(DefaultWidth, DefaultHeight));

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    ShellTreeView = new TShellTreeView(Splitter1);
    ShellTreeView->setObjectName(QStringLiteral("ShellTreeView"));
    ShellTreeView->setMinimumWidth(100);
    m_thumbList = new TThumbListView(Splitter1);
    m_thumbList->setObjectName(QStringLiteral("ThumbList"));
    m_thumbList->SetBackgroundColor(Qt::black);
    Splitter1->addWidget(ShellTreeView);
    Splitter1->addWidget(m_thumbList);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setCollapsible(0, false);
    Splitter1->setSizes({225, size.width() - 225});
    setCentralWidget(Splitter1);

    BuildPopupMenus();
    m_thumbList->SetPopupMenu(ListViewPopupMenu);
    BuildToolBar();
    if (ShownUiLanguage() == TUiLanguage::English) {
        // The English captions need more room than the Japanese ones the width was made for.
        const int toolBarWidth = findChild<QToolBar*>()->sizeHint().width();
        if (toolBarWidth > size.width()) {
            PlaceAtStart(QSize(toolBarWidth, size.height()));
        }
    }
    BuildMenus();
    BuildStatusBar();
    connect(m_thumbList, &TThumbListView::ItemActivated, this, &TfrmThumbnail::OpenItem);
    connect(ShellTreeView, &TShellTreeView::FolderChanged, this,
            &TfrmThumbnail::ShellTreeViewChange);

    OpenSettingsAndCache();
    TImageListHost& host = *this;
    m_imageListThread = std::make_unique<TImageListThread>(*m_thumbList, *m_thumbnailDB, host);
    connect(miThumbnailRepaint, &QAction::triggered, this,
            [this] { m_imageListThread->ReloadSelected(); });

    TCacheAccess access;
    access.StopLoad = [this] { return StopLoadForCache(); };
    access.ResumeLoad = [this] { m_imageListThread->Reload(); };
    m_frmCache =
        new TfrmCache(*m_thumbnailDB, *m_iniFile, m_paths.DefaultCacheDir, std::move(access), this);
    m_frmGauge = new TfrmGauge(this);
    const TAskUser ask = [this](const QString& text, TAskButtons buttons) {
        return buttons == TAskButtons::Ok ? ShowMessage(text, {mkOK})
                                          : ShowMessage(text, {mkOK, mkCancel});
    };
    m_printWindows = std::make_unique<TPrintWindows>(
        TPrintWindows::TShared{*this, *m_thumbList, *m_thumbnailDB, *m_iniFile, *m_frmGauge, ask});

    const TWindowState remembered =
        ReadWindowState(*m_iniFile, SortOrderCount, int(ThumbnailSizes().size()));
    RestoreWindowState(remembered);

    // The first folder: selecting it in the tree loads it.
    // A folder or picture given on the command line wins over the one shown last.
    if (!ShowPath(options.StartPath)) {
        const QString folder = FirstFolder(remembered.Folder);
        if (!ShowFolder(folder)) {
            ShellTreeViewChange(folder);
        }
    }
    m_saveStateTimer = new QTimer(this);
    m_saveStateTimer->setSingleShot(true);
    m_saveStateTimer->setInterval(500);
    connect(m_saveStateTimer, &QTimer::timeout, this, &TfrmThumbnail::SaveWindowState);
    m_remembering = true;
}

// FormDestroy.
TfrmThumbnail::~TfrmThumbnail() {
    // The loader ends first, while the grid, the cache and this window still exist; its hand-
    // overs are served meanwhile. The cache then saves its table as it is destroyed.
    ShellTreeView->removeEventFilter(this);
    SaveWindowState();
    m_remembering = false;
    if (m_imageListThread) {
        m_imageListThread->Terminate();
    }
    m_imageListThread.reset();
    m_printWindows.reset(); // its forms use the cache
    m_thumbnailDB.reset();
    m_iniFile.reset();
}

void TfrmThumbnail::OpenSettingsAndCache() {
    m_iniFile = std::make_unique<IniFile>(m_paths.IniFileName);
    MarkNewSettingsFile(*m_iniFile);
    m_thumbnailDB = std::make_unique<TThumbnailDB>(
        ProgramFolderPath(ProgramFolder::Data, m_paths.ExeDir), m_debugLog);
    const TCacheSettings cache = ReadCacheSettings(*m_iniFile, m_paths.DefaultCacheDir);
    // Another program storing into the cache folder (mirte-cli, say) is waited for a moment;
    // after that the window shows why its thumbnails are not stored.
    m_thumbnailDB->OnFolderBusy(
        [this](const QString& message) { CacheNotice->setToolTip(message); });
    m_thumbnailDB->SetCacheDirectory(cache.Directory);
    m_thumbnailDB->SetMaxCacheSize(cache.MaxSizeKB);
    ShowCacheNotice();
}

void TfrmThumbnail::RestoreWindowState(const TWindowState& state) {
    CbSize->setCurrentIndex(state.SizeIndex);
    const TThumbnailSize& size = ThumbnailSizes()[std::size_t(state.SizeIndex)];
    m_thumbList->SetThumbWidth(size.Width);
    m_thumbList->SetThumbHeight(size.Height);
    MMSubfolders->setChecked(state.Subfolders);
    CbHyouji->setCurrentIndex(state.SortOrder);
    m_imageListThread->SetSortOrder(state.SortOrder);
    if (state.Geometry.isValid()) {
        const QScreen* screen = QGuiApplication::screenAt(state.Geometry.center());
        if (screen == nullptr) {
            screen = QGuiApplication::primaryScreen();
        }
        setGeometry(screen != nullptr ? PlaceInWorkArea(state.Geometry, screen->availableGeometry())
                                      : state.Geometry);
    }
    if (state.Maximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

TWindowState TfrmThumbnail::CurrentWindowState() const {
    TWindowState state;
    state.Folder = SelectedFolder();
    state.SortOrder = m_imageListThread->SortOrder();
    state.SizeIndex = std::max(0, CbSize->currentIndex());
    state.Maximized = isMaximized();
    state.Subfolders = ShowsSubfolders();
    state.Geometry = state.Maximized ? normalGeometry() : geometry();
    return state;
}

void TfrmThumbnail::SaveWindowState() {
    if (m_remembering) {
        WriteWindowState(*m_iniFile, CurrentWindowState());
    }
}

void TfrmThumbnail::SaveWindowStateSoon() {
    if (m_remembering) {
        m_saveStateTimer->start();
    }
}

void TfrmThumbnail::ShowCacheNotice() {
    CacheNotice->setVisible(m_thumbnailDB->FolderInUse());
}

QString TfrmThumbnail::SelectedFolder() const {
    return ShellTreeView->Path();
}

QString TfrmThumbnail::LoadStateText() const {
    return StatusPanel0->text();
}

bool TfrmThumbnail::LoadFinished() const {
    return LoadEnded(m_loadPercent);
}

void TfrmThumbnail::LoadFolder(const QString& path) {
    // A folder that cannot be read (or has gone) shows as empty, and says why: in the status
    // bar after its address, and in a message naming it.
    const int error = FolderOpenError(path);
    const QString reason = error == 0 ? QString() : FolderErrorText(error);
    if (error == 0 && ShowsSubfolders()) {
        m_imageListThread->SetFolderTree(path);
    } else {
        m_imageListThread->SetFileList(error == 0 ? ListFilePaths(path, BrowsedExtensions())
                                                  : QStringList());
    }
    m_address = path;
    StatusPanel2->setToolTip(QString());
    StatusPanel2->setText(reason.isEmpty() ? tr(" アドレス：%1").arg(path)
                                           : tr(" アドレス：%1　%2").arg(path, reason));
    if (!reason.isEmpty()) {
        // Once the window is up: the folder given at the start is loaded while it is made.
        const QString message = tr("フォルダ \"%1\" を読み込めません。%2").arg(path, reason);
        QTimer::singleShot(0, this, [this, message] { ShowMessage(message, {mkOK}); });
    }
}

bool TfrmThumbnail::ShowFolder(const QString& path) {
    if (!QFileInfo(path).isDir()) {
        return false;
    }
    const QString folder = QFileInfo(path).absoluteFilePath();
    if (ShellTreeView->Path() == folder) {
        ShellTreeViewChange(folder);
        return true;
    }
    return ShellTreeView->SelectPath(folder);
}

bool TfrmThumbnail::ShowPath(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return false;
    }
    if (info.isDir()) {
        return ShowFolder(path);
    }
    m_pendingPicture = info.canonicalFilePath();
    m_pendingListed = false;
    if (!ShowFolder(info.absolutePath())) {
        m_pendingPicture.clear();
        return false;
    }
    return true;
}

void TfrmThumbnail::SelectPendingPicture(int percent) {
    if (m_pendingPicture.isEmpty()) {
        return;
    }
    // Up to 50 % the loader lists the new folder; what comes above it before that is the end of
    // a load the request interrupted.
    if (percent >= 0 && percent <= 50) {
        m_pendingListed = true;
        return;
    }
    if (!m_pendingListed && percent >= 0 && percent < 100) {
        return;
    }
    const QString wanted = std::exchange(m_pendingPicture, QString());
    m_pendingListed = false;
    const QString name = QFileInfo(wanted).fileName();
    for (int i = 0; i < m_thumbList->Count(); ++i) {
        const QString path = m_thumbList->ItemFacts(i).FullPath;
        if (QFileInfo(path).fileName() == name && QFileInfo(path).canonicalFilePath() == wanted) {
            m_thumbList->SetSelected(i);
            m_thumbList->EnsureVisible(i);
            return;
        }
    }
}

void TfrmThumbnail::ShellTreeViewChange(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    LoadFolder(path);
    SaveWindowState();
}

void TfrmThumbnail::SetLoadProgress(int percent) {
    m_loadPercent = percent;
    ProgressBar->setValue(qBound(0, percent, 100));
    StatusPanel0->setText(LoadProgressText(percent));
    ProgressBar->setVisible(percent >= 0 && percent < 100);
    ShowCacheNotice(); // the cache stores again once the other program has let the folder go
    SelectPendingPicture(percent);
    emit LoadProgressShown(percent);
}

void TfrmThumbnail::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    PlaceStatusPanels();
    SaveWindowStateSoon();
}

void TfrmThumbnail::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    SaveWindowStateSoon();
}

void TfrmThumbnail::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        SaveWindowStateSoon();
    }
}

bool TfrmThumbnail::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ShellTreeView && event->type() == QEvent::Resize) {
        PlaceStatusPanels();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmThumbnail::SetRepaintItemEnabled(bool enabled) {
    miThumbnailRepaint->setEnabled(enabled);
}

bool TfrmThumbnail::StopLoadForCache() {
    const bool wasLoading = m_imageListThread->Loading();
    m_imageListThread->StopLoad();
    return wasLoading;
}

int TfrmThumbnail::ShowMessage(const QString& text, const std::vector<std::uint8_t>& kinds) {
    return m_showMessage(text, kinds);
}

void TfrmThumbnail::ActivateFromAnotherStart(const QString& path) {
    if (isMinimized()) {
        // Back to what it was before: a maximised window comes back maximised.
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    raise();
    activateWindow();
    // While a dialog is open the folder waits: the dialog may be using the cache.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->raise();
        modal->activateWindow();
        return;
    }
    if (!path.isEmpty() && !ShowPath(path)) {
        // Handed over by a start that cannot show a window of its own to tell it.
        const QFileInfo info(path);
        const QString reason =
            !info.exists()
                ? tr("ファイルまたはフォルダが存在しません。")
                : FolderErrorText(FolderOpenError(info.isDir() ? path : info.absolutePath()));
        ShowMessage(tr("\"%1\" を表示できません。%2").arg(path, reason), {mkOK});
    }
}

} // namespace mirte
