#include "file_lock.h"

#include <QElapsedTimer>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace mirte {

namespace {

constexpr int RetryMs = 50;

// Whether the file open on `fd` is still the one at `path` (not removed or replaced meanwhile:
// a lock on a file no longer there excludes nobody).
bool StillThere(int fd, const QByteArray& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

TFileLock::TResult TFileLock::Lock(const QString& path, int waitMs) {
    if (m_fd.Valid()) {
        return TResult::Held;
    }
    const QByteArray native = QFile::encodeName(path);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        // Read access is all a lock needs: a lock file made by another user still locks.
        UniqueFd fd(
            ::open(native.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, NewFileMode(m_access)));
        if (!fd.Valid()) {
            return TResult::NoLockFile;
        }
        if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) {
            if (StillThere(fd.Get(), native)) {
                m_fd = std::move(fd);
                return TResult::Held;
            }
            continue; // taken on a file that has gone: try the one there now
        }
        if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS || errno == EINVAL) {
            return TResult::Unsupported;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return TResult::NoLockFile;
        }
        if (waited.elapsed() >= waitMs) {
            return TResult::Busy;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(RetryMs));
    }
}

} // namespace mirte
