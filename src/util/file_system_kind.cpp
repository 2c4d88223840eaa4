#include "file_system_kind.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <array>

namespace mirte {

bool IsPseudoFileSystemType(const QByteArray& type) {
    static constexpr std::array<const char*, 22> kPseudoTypes = {
        "proc",      "sysfs",      "devtmpfs",   "devpts",      "cgroup", "cgroup2",
        "debugfs",   "tracefs",    "securityfs", "pstore",      "bpf",    "configfs",
        "fusectl",   "mqueue",     "hugetlbfs",  "binfmt_misc", "autofs", "efivarfs",
        "selinuxfs", "rpc_pipefs", "nsfs",       "sockfs",
    };
    const QByteArray lower = type.toLower();
    for (const char* pseudo : kPseudoTypes) {
        if (lower == pseudo) {
            return true;
        }
    }
    return false;
}

bool IsOnOrdinaryFileSystem(const QString& path) {
    QString existing = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing) {
        existing = QFileInfo(existing).path();
    }
    const QStorageInfo storage(existing);
    return !storage.isValid() || !IsPseudoFileSystemType(storage.fileSystemType());
}

} // namespace mirte
