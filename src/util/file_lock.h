#pragma once

#include "file_access.h"
#include "unique_fd.h"

#include <QString>

namespace mirte {

// An exclusive advisory lock (flock) on a file, held while the object holds it. The kernel lets
// go of it when the process ends, however it ends: a killed program never leaves it taken.
// Locks on the same file exclude each other across processes and within one.
class TFileLock {
public:
    enum class TResult {
        Held,       // this object holds the lock
        Busy,       // another holder kept it for the whole wait
        NoLockFile, // the lock file cannot be made or opened (a read-only folder, say)
        Unsupported // the file system has no such locks (some network file systems)
    };

    // The lock file is made, when missing, with the mode `access` gives.
    explicit TFileLock(TFileAccess access = TFileAccess::Shared) : m_access(access) {}

    // Takes the lock on `path` (made when missing), trying again for up to `waitMs`
    // milliseconds while another holds it. A lock already held here is kept.
    TResult Lock(const QString& path, int waitMs);
    void Unlock() { m_fd.Reset(); }
    bool Held() const { return m_fd.Valid(); }

private:
    TFileAccess m_access;
    UniqueFd m_fd;
};

} // namespace mirte
