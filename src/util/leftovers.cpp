#include "leftovers.h"

#include "delete_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <climits>
#include <csignal>
#include <unistd.h>

namespace mirte {

namespace {

// The process id that an entry's name carries at `at`, up to `end`; 0 when it carries none.
qint64 ProcessIdIn(const QString& name, qsizetype at, QChar end) {
    const qsizetype stop = name.indexOf(end, at);
    if (stop <= at) {
        return 0;
    }
    bool ok = false;
    const qint64 pid = name.mid(at, stop - at).toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

bool Gone(qint64 pid) {
    return pid > 0 && pid != ::getpid() && !ProcessRunning(pid);
}

} // namespace

bool ProcessRunning(qint64 pid) {
    if (pid <= 0 || pid > qint64(INT_MAX)) {
        return false;
    }
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM; // EPERM: another user's process
}

int RemoveLeftoverWrites(const QString& target) {
    // Beside a link's destination, where the writer wrote.
    const QFileInfo link(target);
    const QFileInfo info(link.isSymLink() ? link.symLinkTarget() : target);
    const QString prefix = QLatin1Char('.') + info.fileName() + QLatin1Char('.');
    const QDir folder = info.absoluteDir();
    static const QRegularExpression tail(QStringLiteral("^\\d+\\.\\d+\\.new$"));
    int removed = 0;
    // Compared as text: a name may hold what a wildcard would take for a pattern ("[1]").
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (!name.startsWith(prefix) ||
            !tail.match(QStringView(name).sliced(prefix.size())).hasMatch()) {
            continue;
        }
        if (Gone(ProcessIdIn(name, prefix.size(), QLatin1Char('.'))) &&
            QFile::remove(folder.filePath(name))) {
            ++removed;
        }
    }
    return removed;
}

QString NameOfThisProcess(const QString& prefix) {
    return prefix + QString::number(::getpid()) + QLatin1Char('-');
}

int RemoveLeftovers(const QString& folder, const QString& prefix,
                    const std::function<void(const QString& path)>& inFolder) {
    const QDir dir(folder);
    int removed = 0;
    const QStringList names =
        dir.entryList({prefix + QLatin1Char('*')},
                      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!Gone(ProcessIdIn(name, prefix.size(), QLatin1Char('-')))) {
            continue;
        }
        const QString path = dir.filePath(name);
        const QFileInfo entry(path);
        if (entry.isDir() && !entry.isSymLink()) {
            if (inFolder) {
                inFolder(path);
            }
            DeleteTree(path);
            removed += QFileInfo::exists(path) ? 0 : 1;
        } else if (QFile::remove(path)) {
            ++removed;
        }
    }
    return removed;
}

} // namespace mirte
