#include "folder_walk.h"

#include "dir_list.h"
#include "list_files.h"
#include "paths.h"
#include "unique_fd.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace mirte {

namespace {

// Entries read between two looks at Stop within one folder.
constexpr int kStopEvery = 4096;

QString ReachedTwiceText() {
    return QCoreApplication::translate(
        "FolderWalk", "リンクを通して二度目に着いたフォルダです（一度だけ表示します）。");
}

QString LinkLoopText() {
    return QCoreApplication::translate("FolderWalk", "リンクが輪になっていて、たどれません。");
}

QString BadNameText() {
    return QCoreApplication::translate("FolderWalk", "名前が UTF-8 として正しくありません。");
}

QString TooLongText() {
    return QCoreApplication::translate("FolderWalk", "パスが長すぎます。");
}

// Whether the bytes come back unchanged through the program's text: a name that does not
// cannot be opened again by the path the program would make of it.
bool NameSurvivesDecoding(const QByteArray& raw, const QString& decoded) {
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return QFile::encodeName(decoded) == raw;
        }
    }
    return true;
}

class TTreeWalker {
public:
    TTreeWalker(const QStringList& extensions, const TWalkHooks& hooks)
        : m_extensions(extensions), m_hooks(hooks) {}

    TFolderWalk Walk(const QString& root) {
        std::vector<QString> pending{root};
        while (!pending.empty()) {
            if (StopAsked()) {
                break;
            }
            const QString folder = std::move(pending.back());
            pending.pop_back();
            QStringList subfolders = ListOne(folder);
            if (m_result.Stopped) {
                break;
            }
            SortNamesIgnoringCase(subfolders);
            for (auto it = subfolders.crbegin(); it != subfolders.crend(); ++it) {
                pending.push_back(JoinPath(folder, *it));
            }
            if (m_hooks.Progress) {
                m_hooks.Progress(m_result.FolderCount, int(m_result.Files.size()));
            }
        }
        return std::move(m_result);
    }

private:
    bool StopAsked() {
        if (!m_result.Stopped && m_hooks.Stop && m_hooks.Stop()) {
            m_result.Stopped = true;
        }
        return m_result.Stopped;
    }

    void Skip(const QString& path, const QString& reason) {
        m_result.Skipped.push_back({path, reason});
    }

    // Lists one folder's files into the result; gives its subfolders' names.
    QStringList ListOne(const QString& folder) {
        const QByteArray encoded = QFile::encodeName(folder);
        if (encoded.size() >= PATH_MAX) {
            Skip(folder, TooLongText());
            return {};
        }
        const UniqueDir dir(::opendir(encoded.constData()));
        if (!dir) {
            const int error = errno;
            Skip(folder, error == ENAMETOOLONG ? TooLongText() : FolderErrorText(error));
            return {};
        }
        const int dirFd = ::dirfd(dir.Get());
        struct stat self {};
        if (::fstat(dirFd, &self) != 0) {
            Skip(folder, FolderErrorText(errno));
            return {};
        }
        if (!m_seen.insert({self.st_dev, self.st_ino}).second) {
            Skip(folder, ReachedTwiceText());
            return {};
        }
        ++m_result.FolderCount;

        TExtensionGroups files(m_extensions);
        QStringList subfolders;
        int read = 0;
        while (const dirent* found = ::readdir(dir.Get())) {
            if (++read % kStopEvery == 0 && StopAsked()) {
                return {};
            }
            const QByteArray raw(found->d_name);
            if (raw.startsWith('.')) {
                continue;
            }
            const unsigned char type = EntryType(dirFd, found);
            if (type == DT_LNK) {
                Skip(JoinPath(folder, QFile::decodeName(raw)), LinkLoopText());
                continue;
            }
            if (type != DT_DIR && type != DT_REG) {
                continue;
            }
            const QString name = QFile::decodeName(raw);
            QStringList* group = type == DT_REG ? files.GroupOf(name) : nullptr;
            if (type == DT_REG && group == nullptr) {
                continue; // not a browsed file: its name does not matter
            }
            if (!NameSurvivesDecoding(raw, name)) {
                Skip(JoinPath(folder, name), BadNameText());
                continue;
            }
            if (encoded.size() + 1 + raw.size() >= PATH_MAX) {
                Skip(JoinPath(folder, name), TooLongText());
                continue;
            }
            if (type == DT_DIR) {
                subfolders.append(name);
            } else {
                group->append(JoinPath(folder, name));
            }
        }
        m_result.Files.append(files.TakeAll());
        return subfolders;
    }

    // A folder or a regular file, after following a link; DT_LNK for a link that leads round
    // in a loop; anything else (a broken link, a device, an entry gone meanwhile) DT_UNKNOWN.
    static unsigned char EntryType(int dirFd, const dirent* found) {
        if (found->d_type == DT_DIR || found->d_type == DT_REG) {
            return found->d_type;
        }
        if (found->d_type != DT_LNK && found->d_type != DT_UNKNOWN) {
            return DT_UNKNOWN;
        }
        struct stat st {};
        if (::fstatat(dirFd, found->d_name, &st, 0) != 0) {
            return errno == ELOOP ? DT_LNK : DT_UNKNOWN;
        }
        return S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
    }

    const QStringList& m_extensions;
    const TWalkHooks& m_hooks;
    std::set<std::pair<dev_t, ino_t>> m_seen;
    TFolderWalk m_result;
};

} // namespace

TFolderWalk WalkFolderTree(const QString& root, const QStringList& extensions,
                           const TWalkHooks& hooks) {
    return TTreeWalker(extensions, hooks).Walk(root);
}

} // namespace mirte
