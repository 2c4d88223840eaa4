#include "frm_cache.h"

#include "cache/thumbnail_db.h"
#include "cache_settings.h"
#include "frm_select_cache_path.h"
#include "msg_manage.h"
#include "print/dialog_util.h"
#include "util/cache_size.h"
#include "util/file_system_kind.h"
#include "util/ini_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSlider>
#include <algorithm>
#include <exception>
#include <unistd.h>

namespace mirte {

namespace {

QLabel* AddLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void ShowError(const QString& message) {
    ShowMessageBox(message, ProgramCaption(), {mkOK});
}

} // namespace

QString CacheFolderRefusal(const QString& folder) {
    if (QFileInfo(folder).isDir() && !IsOnOrdinaryFileSystem(folder)) {
        return QCoreApplication::translate(
            "CacheFolder", kNoCacheHereMessage); // writable or not, it keeps nothing
    }
    if (FolderIsReadOnly(folder)) {
        return QCoreApplication::translate("CacheFolder", kReadOnlyFolderMessage);
    }
    return {};
}

bool FolderIsReadOnly(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        return true;
    }
    // A read-only mount refuses even the superuser (EROFS).
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0;
}

TfrmCache::TfrmCache(TThumbnailDB& db, IniFile& ini, const QString& defaultCacheDir,
                     TCacheAccess access, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_db(db), m_ini(ini), m_access(std::move(access)) {
    setWindowTitle(tr("キャッシュの設定"));
    setFont(WindowFont());
    setFixedSize(375, 179);

    Label1 = AddLabel(this, tr("画像キャッシュサイズ"), 16, 10);
    TrackBar = new QSlider(Qt::Horizontal, this);
    TrackBar->setGeometry(12, 28, 351, 30);
    TrackBar->setRange(0, MaxPosition);
    TrackBar->setSingleStep(1);
    TrackBar->setPageStep(1);
    TrackBar->setTickInterval(1);
    TrackBar->setTickPosition(QSlider::TicksBelow);
    Label2 = AddLabel(this, QStringLiteral("0MB"), 14, 60);
    Label3 = AddLabel(this, QStringLiteral("500MB"), 0, 60);
    Label3->move(363 - Label3->width(), 60);

    Label4 = AddLabel(this, tr("キャッシュ保存先"), 16, 84);
    EdCachePath = new QLineEdit(this);
    EdCachePath->setReadOnly(true);
    EdCachePath->setGeometry(16, 102, 300, 23);
    BtnSelectPath = AddDialogButton(this, tr("・・・"), QRect(322, 101, 41, 25));

    BtnBest = AddDialogButton(this, tr("最適値"), QRect(16, 142, 95, 25));
    BtnClear = AddDialogButton(this, tr("キャッシュクリア"), QRect(140, 142, 110, 25));
    BtnClose = AddDialogButton(this, tr("閉じる"), QRect(268, 142, 95, 25));

    SelectCachePath = new TfrmSelectCachePath(defaultCacheDir, this);

    connect(BtnSelectPath, &QPushButton::clicked, this, &TfrmCache::BtnSelectPathClick);
    connect(BtnClear, &QPushButton::clicked, this, &TfrmCache::BtnClearClick);
    connect(BtnBest, &QPushButton::clicked, this, &TfrmCache::BtnBestClick);
    connect(BtnClose, &QPushButton::clicked, this, &TfrmCache::BtnCloseClick);
    FormCreate();
}

int TfrmCache::Execute() {
    FormCreate();
    CentreWindow(*this);
    return exec();
}

int TfrmCache::PositionForSizeKB(qint64 sizeKB) {
    return static_cast<int>(std::clamp<qint64>(sizeKB / StepKB, 0, MaxPosition));
}

void TfrmCache::FormCreate() {
    EdCachePath->setText(m_db.GetCacheDirectory());
    TrackBar->setValue(PositionForSizeKB(m_db.GetMaxCacheSize()));
}

void TfrmCache::ApplyBestSize() {
    const int megabytes = DefaultCacheSizeMB(EdCachePath->text());
    TrackBar->setValue(std::clamp(megabytes / 25, 0, int(MaxPosition)));
}

void TfrmCache::BtnBestClick() {
    ApplyBestSize();
}

void TfrmCache::BtnSelectPathClick() {
    if (const std::optional<QString> folder = SelectCachePath->Execute(EdCachePath->text())) {
        EdCachePath->setText(*folder);
        ApplyBestSize(); // the size follows the new volume's free space
    }
}

void TfrmCache::BtnClearClick() {
    ChangeCache([this] { m_db.ClearCache(); });
}

void TfrmCache::BtnCloseClick() {
    const QString folder = EdCachePath->text();
    if (const QString refusal = CacheFolderRefusal(folder); !refusal.isEmpty()) {
        ShowError(refusal);
        EdCachePath->setText(m_db.GetCacheDirectory());
        ApplyBestSize();
        const qint64 sizeKB = qint64(TrackBar->value()) * StepKB;
        ChangeCache([this, sizeKB] { m_db.SetMaxCacheSize(sizeKB); });
        return;
    }
    if (!m_ini.IsReadOnly()) {
        const qint64 sizeKB = qint64(TrackBar->value()) * StepKB;
        const bool switched = ChangeCache([this, &folder, sizeKB] {
            m_db.SetCacheDirectory(folder);
            m_db.SetMaxCacheSize(sizeKB);
        });
        if (!switched) {
            // The old folder stays in force (its table could not be saved, say).
            EdCachePath->setText(m_db.GetCacheDirectory());
            return;
        }
        try {
            const QString section = QString::fromUtf8(kCacheSection);
            m_ini.WriteString(section, QString::fromUtf8(kCacheDirectoryKey),
                              m_db.GetCacheDirectory());
            m_ini.WriteInteger(section, QString::fromUtf8(kCacheSizeKey), int(sizeKB));
        } catch (const EIniFileError& error) {
            ShowError(error.Message());
        }
    }
    accept();
}

bool TfrmCache::ChangeCache(const std::function<void()>& change) {
    const bool stopped = m_access.StopLoad ? m_access.StopLoad() : false;
    bool done = true;
    try {
        change();
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
        done = false;
    }
    if (stopped && m_access.ResumeLoad) {
        m_access.ResumeLoad();
    }
    return done;
}

} // namespace mirte
