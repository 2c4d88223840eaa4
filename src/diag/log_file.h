#pragma once

#include <QCoreApplication>
#include <QString>
#include <mutex>

namespace mirte {

// The diagnostic log: one file per run, "<prefix>MMddhhmmss.log" in the log folder; every message
// opens, appends and closes the file so that what was written survives a crash. Failures are
// reported through Notify() and close the log for the rest of the run. Thread-safe.
class TLogFile {
    Q_DECLARE_TR_FUNCTIONS(TLogFile)

public:
    // Messages that arrive while the log is closed are announced this many times, then dropped.
    static constexpr int LostNoticeLimit = 4;

    // exePath names the program, for the version and the module list of the first lines.
    explicit TLogFile(QString exePath);

    // Path is the log folder joined with the file-name prefix, such as ".../Log/A".
    void Open(const QString& path);
    // "hh:mm:ss.zzz " + two blanks + Text.
    void Write(const QString& text);
    // Text + " " + the date-time text.
    void WriteStamped(const QString& text);
    // Writes "ログ終了" with the date-time when open, then closes.
    void Close();

    bool IsOpen() const;
    QString LogPath() const;
    QString LogDir() const;
    int LostCount() const;

private:
    // Appends one line; false with the system's reason on failure.
    bool AppendLine(const QString& line, QString& error);
    // The *Locked members run under m_mutex and leave a notice to show after unlocking.
    QString OpenLocked(const QString& path, const QString& version);
    void WriteLocked(const QString& text, QString& notice);
    void WriteStampedLocked(const QString& text, QString& notice);

    const QString m_exePath;
    mutable std::mutex m_mutex;
    QString m_logDir;
    QString m_logPath;
    QString m_logPrefix;
    bool m_isOpen = false;
    int m_lostCount = 0;
};

} // namespace mirte
