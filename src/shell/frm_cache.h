#pragma once

#include <QDialog>
#include <QString>
#include <QtGlobal>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace mirte {

class IniFile;
class TThumbnailDB;
class TfrmSelectCachePath;

// How the cache dialogs keep their cache operations apart from the loader thread, which uses the
// cache during a load and must never share it with the GUI thread.
struct TCacheAccess {
    // Called on the GUI thread right before the dialog changes the cache (clear, folder switch,
    // size limit): stops a running load and returns only once the loader no longer uses the
    // cache. Returns true when a load was running and has been stopped. May be empty when no
    // loader exists (tests, tools).
    std::function<bool()> StopLoad;
    // Called after the change, only when StopLoad stopped a load: loads the folder again.
    std::function<void()> ResumeLoad;
};

// The cache settings dialog ("キャッシュの設定"): the size limit on a track bar of 25 MB steps,
// the cache folder, clearing the cache, and applying and storing the settings. A folder that
// cannot take the cache (CacheFolderRefusal) is refused on closing, with the reason.
//
// Create once, after the cache database has its folder and limit; open with Execute(), which
// reads the cache's current folder and limit each time. Errors of the cache and of the settings
// file are shown in a message box; the dialog never throws out of its handlers.
class TfrmCache : public QDialog {
    Q_OBJECT
public:
    static constexpr int StepKB = 25600; // one track bar step: 25 MB
    static constexpr int MaxPosition = 20;

    // defaultCacheDir: the folder "Temp" of the program, offered by the folder chooser's
    // "初期値" button.
    TfrmCache(TThumbnailDB& db, IniFile& ini, const QString& defaultCacheDir, TCacheAccess access,
              QWidget* owner = nullptr);

    // Reads the cache's folder and limit, then shows the dialog modally.
    int Execute();

    // The track bar position for a limit in kilobytes (0..20).
    static int PositionForSizeKB(qint64 sizeKB);

    // Shows the cache's folder and limit.
    void FormCreate();
    // The best size for the volume of the folder shown, on the track bar; nothing is applied.
    void ApplyBestSize();

    QLabel* Label1 = nullptr;
    QSlider* TrackBar = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* EdCachePath = nullptr;
    QPushButton* BtnSelectPath = nullptr;
    QPushButton* BtnClear = nullptr;
    QPushButton* BtnClose = nullptr;
    QPushButton* BtnBest = nullptr;
    TfrmSelectCachePath* SelectCachePath = nullptr;

public slots:
    void BtnSelectPathClick();
    void BtnClearClick();
    void BtnBestClick();
    void BtnCloseClick();

private:
    // Stops the loader, runs the change, resumes the loader; a raised error is shown.
    // False when the change raised.
    bool ChangeCache(const std::function<void()>& change);

    TThumbnailDB& m_db;
    IniFile& m_ini;
    TCacheAccess m_access;
};

// True when the folder may not be written to (or no longer exists).
bool FolderIsReadOnly(const QString& folder);

// The refusals, word for word (translated where shown).
inline constexpr const char* kReadOnlyFolderMessage =
    QT_TRANSLATE_NOOP("CacheFolder", "指定されたディレクトリは読み取り専用です。");
inline constexpr const char* kNoCacheHereMessage =
    QT_TRANSLATE_NOOP("CacheFolder", "指定されたディレクトリにはキャッシュを保存できません。");
// Why the folder cannot take the cache, as the dialog says it: a folder of the kernel's own file
// systems (proc, sysfs, devtmpfs ...), or one that is read-only or gone, in the language in use;
// empty when it can.
QString CacheFolderRefusal(const QString& folder);

} // namespace mirte
