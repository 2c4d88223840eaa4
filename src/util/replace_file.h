#pragma once

#include "file_access.h"
#include "unique_fd.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QString>

namespace mirte {

// The one way the program writes a file whole: the bytes go to a new file with a name of its
// own beside the target (no two writers, threads or processes, ever share one), which Commit
// flushes and renames over the target, so that readers see the old file or the new one, never
// half of either. Dropped without Commit, the new file goes and the target stays as it was.
// A target that is a link is written where the link points; one that exists keeps its
// permissions (made writable for its owner), except that a private file is always its owner's
// alone (0600). Errors raise EInOutError naming the target.
class TAtomicFile {
    Q_DECLARE_TR_FUNCTIONS(TAtomicFile)

public:
    // Makes the new file beside `target`; refuses a target that is neither missing nor a file.
    explicit TAtomicFile(const QString& target, TFileAccess access = TFileAccess::Shared);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    const QString& Target() const { return m_target; }
    // The new file, for a writer that opens it by its name (Qt's PDF writer, say) and closes it
    // before Commit. Empty once committed or discarded.
    const QString& FileName() const { return m_fileName; }
    void Write(QByteArrayView bytes);
    // Flushes the new file (with `sync` to the disk, for files that must survive a power cut)
    // and renames it over the target.
    void Commit(bool sync);
    // As Commit, but only while no file of the target's name exists: false (the new file gone)
    // when one does, so that two writers that picked the same name never replace each other's.
    bool CommitNew(bool sync);
    // Removes the new file; the target stays as it was. Done by the destructor when needed.
    void Discard();

private:
    [[noreturn]] void Fail(int error);
    void Flush(bool sync);

    QString m_target; // a link's destination
    QString m_fileName;
    UniqueFd m_fd;
};

// Replaces a file's contents as a whole through TAtomicFile. With `sync` the new file reaches
// the disk before the rename (the thumbnails, checked when loaded, go without).
void ReplaceFile(const QString& path, QByteArrayView bytes, bool sync,
                 TFileAccess access = TFileAccess::Shared);
// Writes a new file through TAtomicFile::CommitNew: false when a file of that name exists.
bool WriteNewFile(const QString& path, QByteArrayView bytes, bool sync,
                  TFileAccess access = TFileAccess::Shared);

} // namespace mirte
