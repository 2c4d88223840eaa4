#include "replace_file.h"

#include "errors.h"
#include "leftovers.h"

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mirte {

namespace {

std::atomic<unsigned> g_serial{0};

} // namespace

TAtomicFile::TAtomicFile(const QString& target, TFileAccess access) : m_target(target) {
    const QFileInfo link(target);
    if (link.isSymLink()) {
        m_target = link.symLinkTarget();
    }
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(m_target).constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        Fail(S_ISDIR(st.st_mode) ? EISDIR : EINVAL); // a device or a pipe is never replaced
    }
    const QFileInfo info(m_target);
    for (;;) {
        // Hidden, and unique to this process and this writer; a name left by a crash is
        // stepped over.
        m_fileName = QStringLiteral("%1/.%2.%3.%4.new")
                         .arg(info.absolutePath(), info.fileName())
                         .arg(::getpid())
                         .arg(g_serial.fetch_add(1));
        m_fd.Reset(::open(QFile::encodeName(m_fileName).constData(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NewFileMode(access)));
        if (m_fd.Valid()) {
            break;
        }
        if (errno != EEXIST) {
            const int error = errno;
            m_fileName.clear();
            Fail(error);
        }
    }
    if (access == TFileAccess::Private) {
        ::fchmod(m_fd.Get(), NewFileMode(access)); // one written before by a laxer hand too
    } else if (exists) {
        ::fchmod(m_fd.Get(), (st.st_mode & 07777) | S_IWUSR);
    }
}

TAtomicFile::~TAtomicFile() {
    Discard();
}

void TAtomicFile::Write(QByteArrayView bytes) {
    if (!m_fd.Valid()) {
        Fail(EBADF);
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put =
            ::write(m_fd.Get(), bytes.data() + done, std::size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            Fail(put < 0 ? errno : ENOSPC);
        }
        done += put;
    }
}

void TAtomicFile::Flush(bool sync) {
    if (!m_fd.Valid()) {
        Fail(EBADF);
    }
    if (sync && ::fsync(m_fd.Get()) != 0) {
        Fail(errno);
    }
    // Some file systems (NFS) report a failed write only when the file is closed.
    if (::close(m_fd.Release()) != 0 && errno != EINTR) {
        Fail(errno);
    }
}

namespace {

// Renames `from` to `to` unless `to` exists (errno EEXIST then).
int RenameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return -1;
    }
    // A file system without the exclusive rename: a hard link fails the same way on a name
    // that exists; one without links gets a plain rename after a look (a narrow race there).
    if (::link(from, to) == 0) {
        ::unlink(from);
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP) {
        return -1;
    }
    struct stat st {};
    if (::lstat(to, &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from, to);
}

} // namespace

bool TAtomicFile::CommitNew(bool sync) {
    Flush(sync);
    if (RenameNoReplace(QFile::encodeName(m_fileName).constData(),
                        QFile::encodeName(m_target).constData()) != 0) {
        const int error = errno;
        Discard();
        if (error == EEXIST) {
            return false;
        }
        Fail(error);
    }
    m_fileName.clear();
    return true;
}

void TAtomicFile::Commit(bool sync) {
    Flush(sync);
    if (std::rename(QFile::encodeName(m_fileName).constData(),
                    QFile::encodeName(m_target).constData()) != 0) {
        Fail(errno);
    }
    m_fileName.clear();
    // What a writer of this file killed before its rename left beside it goes now, so that
    // the folder (the cache's, the settings') does not gather such files run after run.
    RemoveLeftoverWrites(m_target);
}

void TAtomicFile::Discard() {
    m_fd.Reset();
    if (!m_fileName.isEmpty()) {
        ::unlink(QFile::encodeName(m_fileName).constData());
        m_fileName.clear();
    }
}

void TAtomicFile::Fail(int error) {
    Discard();
    throw EInOutError(tr("ファイル \"%1\" への書き込み中にエラーが発生しました。詳細：%2")
                          .arg(m_target, SystemErrorText(error)),
                      error);
}

bool WriteNewFile(const QString& path, QByteArrayView bytes, bool sync, TFileAccess access) {
    TAtomicFile file(path, access);
    file.Write(bytes);
    return file.CommitNew(sync);
}

void ReplaceFile(const QString& path, QByteArrayView bytes, bool sync, TFileAccess access) {
    TAtomicFile file(path, access);
    file.Write(bytes);
    file.Commit(sync);
}

} // namespace mirte
