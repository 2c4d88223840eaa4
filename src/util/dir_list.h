#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace mirte {

// A cursor over one folder: first its sub-folders, then its files that match the mask.
// Names beginning with "." are left out. A symbolic link counts as what it points to; a broken
// link or a link loop counts as a file that is not regular. A folder that is missing or cannot
// be read yields nothing.
class TDirList {
public:
    explicit TDirList(QString dir);

    // Changes the file mask ("*.*" by default, case-insensitive) and starts over.
    void SetMask(const QString& mask);
    // Moves to the next entry; false once both passes are done.
    bool Next();

    // The entry of the last successful Next; before the first and after the last, the folder.
    bool IsDir() const;
    QString Name() const;
    QString FullName() const;
    // A regular file, after following a link.
    bool IsRegular() const;
    bool IsLink() const;

private:
    struct Entry {
        QString name;
        bool isDir = false;
        bool isRegular = false;
        bool isLink = false;
    };
    enum class State { NotStarted, Running, Finished };

    void Start();
    bool MatchesMask(const QByteArray& name) const;
    const Entry* Current() const;

    QString m_dir;
    QString m_mask = QStringLiteral("*.*");
    State m_state = State::NotStarted;
    std::vector<Entry> m_entries; // folders first, then files
    std::size_t m_next = 0;
};

// The files and sub-folders of a folder, each list sorted without regard to case.
class TFileList {
public:
    TFileList(const QString& dir, const QString& mask = QStringLiteral("*.*"));

    int FileCount() const { return static_cast<int>(m_files.size()); }
    // The full path of file Index, or empty outside the list.
    QString FileName(int index) const;
    int DirCount() const { return static_cast<int>(m_dirs.size()); }
    QString DirName(int index) const;

private:
    QString m_dir;
    QStringList m_files;
    QStringList m_dirs;
};

// Whether a folder holds any entry that does not begin with ".".
bool HasDirEntries(const QString& dir);

// Why a folder cannot be listed: 0 when it can be opened for reading, else the system's error
// number (ENOENT, ENOTDIR, EACCES, ...). A listing of a folder that gives an error is empty,
// so a caller that must tell an empty folder from an unreadable one asks this first.
int FolderOpenError(const QString& dir);
// The program's own words for that error, to show to the user.
QString FolderErrorText(int error);

// Sorts names without regard to case; names that differ only in case keep a fixed order.
void SortNamesIgnoringCase(QStringList& names);

} // namespace mirte
