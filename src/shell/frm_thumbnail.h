#pragma once

#include "app_settings.h"
#include "browse/image_list_host.h"

#include <QMainWindow>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QSplitter;
class QTimer;
class QToolButton;

namespace mirte {

class IniFile;
class TImageListThread;
class TShellTreeView;
class TPrintWindows;
class TThumbListView;
class TThumbnailDB;
class TThDebugLog;
class TfrmCache;
class TfrmGauge;
struct TWindowState;

// How the main window was started.
struct TWindowOptions {
    TAppPaths Paths;
    // The run's diagnostics (Debug.ini): the cache writes its log lines through it. None: no log.
    TThDebugLog* DebugLog = nullptr;
    // The folder to show first, or a picture: its folder, with the picture selected. Empty (or
    // neither): the folder shown last when it still exists, else the user's Pictures folder,
    // else home.
    QString StartPath;
};

// One row of the thumbnail size list.
struct TThumbnailSize {
    int Width;
    int Height;
};

// The main window: the folder tree on the left, the thumbnail grid beside it, toolbar, menu and
// a status bar with the load progress. It owns the settings file, the thumbnail cache, the grid
// and the loader thread; choosing a folder lists its pictures and hands them to the loader.
// It remembers its folder, order, thumbnail size, place and size in the settings file (section
// Window) when they change and when it goes. GUI thread only.
class TfrmThumbnail : public QMainWindow, private TImageListHost {
    Q_OBJECT

public:
    // Shows a message with the given button kinds and returns the 1-based position of the
    // button pressed (-1: none). The program's message box unless replaced (tests answer here).
    using TMessageFunction =
        std::function<int(const QString& text, const std::vector<std::uint8_t>& kinds)>;

    static constexpr int DefaultWidth = 873;
    static constexpr int DefaultHeight = 550;
    static constexpr int MinimumWidth = 500;
    // The rows of CbSize: 大, 中, 小.
    static const std::vector<TThumbnailSize>& ThumbnailSizes();

    explicit TfrmThumbnail(TWindowOptions options, QWidget* parent = nullptr);
    // FormDestroy: stops the loader (serving its hand-overs), then the cache saves its table.
    ~TfrmThumbnail() override;

    void SetMessageFunction(TMessageFunction function) { m_showMessage = std::move(function); }

    // Lists the folder's pictures and movies and hands them to the loader; a folder that
    // cannot be read is shown empty, its reason told.
    void LoadFolder(const QString& path);
    // Shows another folder: selects it in the tree, which loads it. False when it is no folder.
    bool ShowFolder(const QString& path);
    // Shows a folder, or a file's folder with the file selected once the folder is listed.
    // False when it is neither.
    bool ShowPath(const QString& path);
    // Brings the window to the front (restoring it when minimised); a non-empty folder or
    // picture is shown as ShowPath shows it.
    void ActivateFromAnotherStart(const QString& path);

    // The state of the window, for the print dialogs and for tests.
    const TAppPaths& Paths() const { return m_paths; }
    QString SelectedFolder() const;
    // Whether the grid shows the pictures of the folders below the chosen one as well.
    bool ShowsSubfolders() const;
    QString LoadStateText() const;
    bool LoadFinished() const;
    TThumbListView& ThumbList() const { return *m_thumbList; }
    TThumbnailDB& ThumbnailDB() const { return *m_thumbnailDB; }
    IniFile& Settings() const { return *m_iniFile; }
    TImageListThread& ImageListThread() const { return *m_imageListThread; }
    TPrintWindows& PrintWindows() const { return *m_printWindows; }
    TfrmGauge& FrmGauge() const { return *m_frmGauge; }

    // The handlers of the toolbar, the lists and the menus.
    void BtnAbortClick();
    void BtnReloadClick();
    void CbSizeChange(int index);
    void CbHyoujiChange(int index);
    void BtnPrintThumbnailClick();
    void BtnPrintJacketClick();
    void BtnContactClick();
    void N3Click();
    void About1Click();
    void ReadMe1Click();
    void RefreshClick();

    // The form's components, named as the program's forms name them.
    QToolButton* BtnAbort = nullptr;
    QToolButton* BtnReload = nullptr;
    QComboBox* CbHyouji = nullptr;
    QComboBox* CbSize = nullptr;
    QToolButton* BtnPrintThumbnail = nullptr;
    QToolButton* BtnPrintJacket = nullptr;
    QToolButton* BtnContact = nullptr;
    QToolButton* BtnInternet = nullptr;
    TShellTreeView* ShellTreeView = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QWidget* StatusPanel1 = nullptr;
    QLabel* StatusPanel2 = nullptr;
    // Shown while another program stores into the cache folder and thumbnails are not stored.
    QLabel* CacheNotice = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QAction* miThumbnailRepaint = nullptr;
    QAction* MMSubfolders = nullptr; // checked: the grid shows the subfolders' pictures too
    QAction* Refresh = nullptr;
    QMenu* ListViewPopupMenu = nullptr;
    QMenu* TreeViewPopupMenu = nullptr;

signals:
    // The load state was shown in the status bar (after panel 0 changed).
    void LoadProgressShown(int percent);
    // The back card's picture was fetched (a copy of its cache thumbnail, the file type's icon
    // for a movie, or nothing when it cannot be had); its dialog opens next.
    void PrintJacketRequested(const QImage& picture, const QString& folder);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Follows the tree's width: the progress bar's panel ends where the tree ends.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TImageListHost, run on the GUI thread by the loader's hand-overs.
    void SetLoadProgress(int percent) override;
    void SetRepaintItemEnabled(bool enabled) override;
    void SetWalkProgress(int folders, int files) override;
    void SetTreeWalked(int folders, int files, const std::vector<TWalkSkip>& skipped) override;

    // Resizes the window to `size` within the work area, centred on it; gives the size taken.
    QSize PlaceAtStart(QSize size);
    void BuildToolBar();
    void BuildMenus();
    void BuildStatusBar();
    void BuildPopupMenus();
    // View > Subfolders: the grid lists the folders below the chosen one as well.
    void BuildViewMenu(QMenuBar* bar);
    void SetSubfolders(bool on);
    // Settings > Language: the desktop's, Japanese or English, from the next start.
    void BuildLanguageMenu(QMenu* settings);
    void ChooseLanguage(const QString& value);
    void ShowLanguageSetting();
    void OpenSettingsAndCache();
    // The remembered order, size and place, before the first folder loads.
    void RestoreWindowState(const TWindowState& state);
    // What is to be remembered now; written at once, or a moment after the last move or resize.
    TWindowState CurrentWindowState() const;
    void SaveWindowState();
    void SaveWindowStateSoon();
    void ShellTreeViewChange(const QString& path);
    // Selects the picture ShowPath asked for once its folder's load passes 50 % (every item
    // listed and sorted); a load that ends or stops without it forgets it.
    void SelectPendingPicture(int percent);
    void OpenItem(int index);
    void OpenUrl(const QUrl& url);
    void PlaceStatusPanels();
    // The cache notice follows whether the cache may store.
    void ShowCacheNotice();
    int ShowMessage(const QString& text, const std::vector<std::uint8_t>& kinds);
    // The print buttons' common check: false (after the message) while loading. A load that
    // shows its end is waited for while it saves, so that the cache is the GUI thread's.
    bool PrintAllowed();
    // Stops a running load so that the GUI thread may use the cache; true when one was stopped.
    bool StopLoadForCache();

    TAppPaths m_paths;
    TThDebugLog* m_debugLog = nullptr;
    TMessageFunction m_showMessage;
    // The last load progress reported, which the load guard reads (panel 0 shows it in words);
    // 0, loading, before the first report.
    int m_loadPercent = 0;
    QString m_address;            // the folder panel 2 names
    QString m_pendingPicture;     // canonical path of the picture to select; empty: none
    bool m_pendingListed = false; // the load of its folder has begun listing
    QTimer* m_saveStateTimer = nullptr;
    bool m_remembering = false; // from the end of the construction on
    std::unique_ptr<IniFile> m_iniFile;
    std::unique_ptr<TThumbnailDB> m_thumbnailDB;
    TThumbListView* m_thumbList = nullptr;
    TfrmCache* m_frmCache = nullptr;
    TfrmGauge* m_frmGauge = nullptr;
    std::unique_ptr<TPrintWindows> m_printWindows;
    // Last in, so that it ends first: the loader uses the grid, the cache and this window.
    std::unique_ptr<TImageListThread> m_imageListThread;
};

} // namespace mirte
