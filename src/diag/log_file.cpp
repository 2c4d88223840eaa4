#include "log_file.h"

#include "module_list.h"
#include "notifier.h"
#include "util/date_time_text.h"
#include "util/errors.h"
#include "util/file_access.h"
#include "util/paths.h"
#include "util/unique_fd.h"
#include "version_info.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>

namespace mirte {

TLogFile::TLogFile(QString exePath) : m_exePath(std::move(exePath)) {}

bool TLogFile::AppendLine(const QString& line, QString& error) {
    const QByteArray bytes = line.toUtf8() + "\r\n";
    const UniqueFd fd(::open(QFile::encodeName(m_logPath).constData(),
                             O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                             NewFileMode(TFileAccess::Private)));
    if (!fd.Valid()) {
        error = SystemErrorText(errno);
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd.Get(), bytes.constData() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            error = SystemErrorText(put < 0 ? errno : ENOSPC);
            return false;
        }
        done += put;
    }
    return true;
}

void TLogFile::Open(const QString& path) {
    QString version;
    try {
        version = TVersionInfo(m_exePath).GetValue(QStringLiteral("FileVersion"));
    } catch (const ECacheError&) {
        // The log works without a version.
    }
    QString notice;
    {
        const std::lock_guard lock(m_mutex);
        notice = OpenLocked(path, version);
    }
    if (!notice.isEmpty()) {
        Notify(notice);
    }
}

QString TLogFile::OpenLocked(const QString& path, const QString& version) {
    m_isOpen = false;
    if (path.isEmpty()) {
        m_logDir.clear();
        return tr("空白のログパスが指定されました。");
    }
    const QFileInfo info(path);
    m_logDir = info.path();
    m_logPrefix = info.fileName();
    QString error;
    if (!MakeFolderPath(m_logDir, TFileAccess::Private)) {
        error = SystemErrorText(errno);
    } else {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("MMddhhmmss"));
        m_logPath = JoinPath(m_logDir, m_logPrefix + stamp + QStringLiteral(".log"));
        QFile file(m_logPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            error = file.errorString();
        }
    }
    if (!error.isEmpty()) {
        return tr("ログファイルパス \"%1\" が不正です。詳細：%2").arg(m_logDir, error);
    }
    m_isOpen = true;
    QString notice;
    WriteStampedLocked(QStringLiteral("ログ開始  ") + version, notice);
    const QString modules = ModuleList(m_exePath);
    if (!modules.isEmpty()) {
        WriteLocked(modules, notice); // one message spanning several lines
    }
    return notice;
}

void TLogFile::Write(const QString& text) {
    QString notice;
    {
        const std::lock_guard lock(m_mutex);
        WriteLocked(text, notice);
    }
    if (!notice.isEmpty()) {
        Notify(notice); // outside the lock: the handler may wait for the GUI thread
    }
}

void TLogFile::WriteLocked(const QString& text, QString& notice) {
    const QString message = QStringLiteral("  ") + text;
    if (m_isOpen) {
        const QString stamp = QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
        QString error;
        if (!AppendLine(stamp + QLatin1Char(' ') + message, error)) {
            m_isOpen = false;
            notice = tr("ログ出力中にエラーが発生しました。\r\nファイル名：%1\r\n詳細：%2")
                         .arg(m_logPath, error);
        }
        return;
    }
    ++m_lostCount;
    if (m_lostCount <= LostNoticeLimit) {
        notice =
            tr("以下のメッセージが出力されましたがログが開かれていません。\r\n\r\n%1").arg(message);
    }
}

void TLogFile::WriteStampedLocked(const QString& text, QString& notice) {
    if (!m_isOpen) {
        return;
    }
    QString error;
    if (!AppendLine(text + QLatin1Char(' ') + DateTimeToText(QDateTime::currentDateTime()),
                    error)) {
        m_isOpen = false;
        notice = tr("日付付きログ出力中にエラーが発生しました。\r\n詳細：%1").arg(error);
    }
}

void TLogFile::WriteStamped(const QString& text) {
    QString notice;
    {
        const std::lock_guard lock(m_mutex);
        WriteStampedLocked(text, notice);
    }
    if (!notice.isEmpty()) {
        Notify(notice);
    }
}

void TLogFile::Close() {
    QString notice;
    {
        const std::lock_guard lock(m_mutex);
        WriteStampedLocked(QStringLiteral("ログ終了"), notice);
        m_isOpen = false;
    }
    if (!notice.isEmpty()) {
        Notify(notice);
    }
}

bool TLogFile::IsOpen() const {
    const std::lock_guard lock(m_mutex);
    return m_isOpen;
}

QString TLogFile::LogPath() const {
    const std::lock_guard lock(m_mutex);
    return m_logPath;
}

QString TLogFile::LogDir() const {
    const std::lock_guard lock(m_mutex);
    return m_logDir;
}

int TLogFile::LostCount() const {
    const std::lock_guard lock(m_mutex);
    return m_lostCount;
}

} // namespace mirte
