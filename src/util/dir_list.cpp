#include "dir_list.h"

#include "errors.h"
#include "paths.h"
#include "unique_fd.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

namespace mirte {

TDirList::TDirList(QString dir) : m_dir(std::move(dir)) {}

void TDirList::SetMask(const QString& mask) {
    m_mask = mask;
    m_state = State::NotStarted;
    m_entries.clear();
    m_next = 0;
}

bool TDirList::MatchesMask(const QByteArray& name) const {
    if (m_mask == QLatin1String("*.*") || m_mask == QLatin1String("*")) {
        return true;
    }
    const QByteArray mask = QFile::encodeName(m_mask);
    if (::fnmatch(mask.constData(), name.constData(), FNM_CASEFOLD) != 0) {
        return false;
    }
    // A mask such as "*.exe" names an extension of exactly that length.
    const qsizetype maskDot = mask.lastIndexOf('.');
    if (maskDot < 0 || mask.indexOf('*', maskDot) >= 0) {
        return true;
    }
    const qsizetype nameDot = name.lastIndexOf('.');
    const qsizetype nameExtLength = nameDot < 0 ? -1 : name.size() - nameDot - 1;
    return nameExtLength == mask.size() - maskDot - 1;
}

void TDirList::Start() {
    m_state = State::Finished;
    m_entries.clear();
    m_next = 0;
    UniqueDir dir(::opendir(QFile::encodeName(m_dir).constData()));
    if (!dir) {
        return;
    }
    const int dirFd = ::dirfd(dir.Get());
    std::vector<Entry> files;
    while (const dirent* found = ::readdir(dir.Get())) {
        const QByteArray name(found->d_name);
        if (name.startsWith('.')) {
            continue;
        }
        Entry entry{QFile::decodeName(name)};
        unsigned char type = found->d_type;
        entry.isLink = type == DT_LNK;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(dirFd, name.constData(), &st, 0) == 0) {
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
            } else if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
                entry.isLink = S_ISLNK(st.st_mode); // broken or looping link
                type = DT_UNKNOWN;
            } else {
                continue; // gone while we looked
            }
        }
        entry.isDir = type == DT_DIR;
        entry.isRegular = type == DT_REG;
        if (entry.isDir) {
            m_entries.push_back(std::move(entry));
        } else if (MatchesMask(name)) {
            files.push_back(std::move(entry));
        }
    }
    std::move(files.begin(), files.end(), std::back_inserter(m_entries));
    m_state = State::Running;
}

bool TDirList::Next() {
    if (m_state == State::NotStarted) {
        Start();
    }
    if (m_state != State::Running) {
        return false;
    }
    if (m_next >= m_entries.size()) {
        m_state = State::Finished;
        m_entries.clear();
        m_next = 0;
        return false;
    }
    ++m_next;
    return true;
}

const TDirList::Entry* TDirList::Current() const {
    if (m_state != State::Running || m_next == 0) {
        return nullptr;
    }
    return &m_entries[m_next - 1];
}

bool TDirList::IsDir() const {
    const Entry* entry = Current();
    return entry == nullptr || entry->isDir;
}

QString TDirList::Name() const {
    if (const Entry* entry = Current()) {
        return entry->name;
    }
    const QString last = QFileInfo(m_dir).fileName();
    return last.isEmpty() ? m_dir : last;
}

QString TDirList::FullName() const {
    const Entry* entry = Current();
    return entry == nullptr ? m_dir : JoinPath(m_dir, entry->name);
}

bool TDirList::IsRegular() const {
    const Entry* entry = Current();
    return entry != nullptr && entry->isRegular;
}

bool TDirList::IsLink() const {
    const Entry* entry = Current();
    return entry != nullptr && entry->isLink;
}

void SortNamesIgnoringCase(QStringList& names) {
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
}

TFileList::TFileList(const QString& dir, const QString& mask) : m_dir(dir) {
    TDirList list(dir);
    list.SetMask(mask);
    while (list.Next()) {
        (list.IsDir() ? m_dirs : m_files).append(list.Name());
    }
    SortNamesIgnoringCase(m_files);
    SortNamesIgnoringCase(m_dirs);
}

QString TFileList::FileName(int index) const {
    if (index < 0 || index >= m_files.size()) {
        return {};
    }
    return JoinPath(m_dir, m_files[index]);
}

QString TFileList::DirName(int index) const {
    if (index < 0 || index >= m_dirs.size()) {
        return {};
    }
    return JoinPath(m_dir, m_dirs[index]);
}

bool HasDirEntries(const QString& dir) {
    TDirList list(dir);
    return list.Next();
}

int FolderOpenError(const QString& dir) {
    const UniqueDir opened(::opendir(QFile::encodeName(dir).constData()));
    return opened ? 0 : errno;
}

QString FolderErrorText(int error) {
    switch (error) {
    case ENOENT:
        return QCoreApplication::translate("FolderErrors", "フォルダが存在しません。");
    case ENOTDIR:
        return QCoreApplication::translate("FolderErrors", "フォルダではありません。");
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("FolderErrors", "フォルダを読み取る権限がありません。");
    default:
        return QCoreApplication::translate("FolderErrors", "フォルダを読み込めません。詳細：%1")
            .arg(SystemErrorText(error));
    }
}

} // namespace mirte
