#include "startup_checks.h"

#include <QPrinterInfo>
#include <QStorageInfo>
#include <array>

namespace mirte {

bool HasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

bool IsNetworkFileSystemType(const QByteArray& type) {
    static constexpr std::array<const char*, 14> kNetworkTypes = {
        "nfs",   "nfs4", "cifs", "smb",  "smb2", "smb3",  "smbfs",
        "ncpfs", "afs",  "9p",   "ceph", "coda", "davfs", "glusterfs",
    };
    const QByteArray lower = type.toLower();
    for (const char* network : kNetworkTypes) {
        if (lower == network) {
            return true;
        }
    }
    // FUSE file systems name themselves "fuse.<kind>": sshfs, s3fs, rclone, gvfs ...
    if (lower.startsWith("fuse.")) {
        const QByteArray kind = lower.mid(5);
        return kind == "sshfs" || kind == "s3fs" || kind == "rclone" || kind == "gvfsd-fuse" ||
               kind == "davfs" || kind == "glusterfs" || kind == "curlftpfs" ||
               IsNetworkFileSystemType(kind);
    }
    return false;
}

bool IsOnNetworkFileSystem(const QString& path) {
    const QStorageInfo storage(path);
    return storage.isValid() && IsNetworkFileSystemType(storage.fileSystemType());
}

} // namespace mirte
