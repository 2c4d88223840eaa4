#include "delete_tree.h"

#include "unique_fd.h"

#include <QByteArray>
#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

namespace mirte {

namespace {

// Deeper trees than this are left standing rather than risk running out of descriptors.
constexpr int MaxDepth = 256;

constexpr int OpenDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Gives the owner the right to list and change a folder, as a read-only folder is cleared first.
void MakeFolderWritable(int parentFd, const char* name, const struct stat& st) {
    const mode_t needed = S_IRWXU;
    if ((st.st_mode & needed) != needed) {
        ::fchmodat(parentFd, name, (st.st_mode & 07777) | needed, 0);
    }
}

void EmptyFolder(int dirFd, int depth) {
    std::vector<QByteArray> names;
    {
        // The stream takes its own descriptor, so closing it leaves dirFd open.
        const int streamFd = ::dup(dirFd);
        if (streamFd < 0) {
            return;
        }
        UniqueDir stream(::fdopendir(streamFd));
        if (!stream) {
            ::close(streamFd);
            return;
        }
        while (const dirent* entry = ::readdir(stream.Get())) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
    }
    for (const QByteArray& name : names) {
        struct stat st {};
        if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        if (!S_ISDIR(st.st_mode)) {
            ::unlinkat(dirFd, name.constData(), 0); // files and links alike
            continue;
        }
        if (depth >= MaxDepth) {
            continue;
        }
        MakeFolderWritable(dirFd, name.constData(), st);
        // O_NOFOLLOW: if the folder was swapped for a link since fstatat, this open fails.
        const UniqueFd sub(::openat(dirFd, name.constData(), OpenDirFlags));
        if (sub.Valid()) {
            EmptyFolder(sub.Get(), depth + 1);
        }
        ::unlinkat(dirFd, name.constData(), AT_REMOVEDIR);
    }
}

} // namespace

void DeleteTree(const QString& dir) {
    if (dir.isEmpty()) {
        return;
    }
    const QByteArray path = QFile::encodeName(dir);
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) {
        return;
    }
    if (S_ISLNK(st.st_mode)) {
        ::unlink(path.constData());
        return;
    }
    if (!S_ISDIR(st.st_mode)) {
        return;
    }
    MakeFolderWritable(AT_FDCWD, path.constData(), st);
    {
        const UniqueFd fd(::open(path.constData(), OpenDirFlags));
        if (!fd.Valid()) {
            return;
        }
        EmptyFolder(fd.Get(), 1);
    }
    ::rmdir(path.constData());
}

} // namespace mirte
