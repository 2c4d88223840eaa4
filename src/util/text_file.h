#pragma once

#include "file_access.h"
#include "replace_file.h"
#include "unique_fd.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <memory>

namespace mirte {

// Reads a UTF-8 text file line by line. A line ends at CR LF, LF or a lone CR; the end of the
// file ends the last line too. Bytes that are not UTF-8 come back as U+FFFD.
class TInputTextFile {
    Q_DECLARE_TR_FUNCTIONS(TInputTextFile)

public:
    // A line longer than this raises EInOutError instead of growing without bound.
    static constexpr qsizetype MaxLineBytes = qsizetype{64} * 1024 * 1024;

    explicit TInputTextFile(QString fileName);
    ~TInputTextFile() = default;
    TInputTextFile(const TInputTextFile&) = delete;
    TInputTextFile& operator=(const TInputTextFile&) = delete;

    // Raises ECacheError "ファイル "%s" が存在しません。" or "... をオープンできません。".
    void Open();
    // The next line without its line end; empty at the end of the file. Raises EInOutError.
    QString ReadLine();
    // Whether every byte has been read.
    bool Eof();
    void Close();

    bool IsOpen() const { return m_fd.Valid(); }
    const QString& FileName() const { return m_fileName; }

private:
    bool Fill();

    QString m_fileName;
    UniqueFd m_fd;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_atStart = true;
};

// Writes a UTF-8 text file line by line, each line ending in CR LF, as a whole: the lines go to a
// new file beside it (TAtomicFile) that replaces the old file only when Close succeeds, so that
// a failure or a crash leaves the old file as it was.
class TOutputTextFile {
    Q_DECLARE_TR_FUNCTIONS(TOutputTextFile)

public:
    explicit TOutputTextFile(QString fileName, TFileAccess access = TFileAccess::Shared);
    // Without a successful Close the old file stays, and nothing of the new one.
    ~TOutputTextFile();
    TOutputTextFile(const TOutputTextFile&) = delete;
    TOutputTextFile& operator=(const TOutputTextFile&) = delete;

    // Creates missing folders and the new file beside the old one.
    // Raises ECacheError "ファイル "%s" をオープンできません。".
    void Open();
    // Raises EInOutError when the system refuses the write (a full disk, say).
    void WriteLine(const QString& text);
    // Writes what is buffered, forces it to the disk and puts the file in the old one's place.
    // Raises EInOutError, the old file left as it was.
    void Close();

    bool IsOpen() const { return m_file != nullptr; }
    const QString& FileName() const { return m_fileName; }

private:
    void Flush();

    QString m_fileName;
    TFileAccess m_access;
    std::unique_ptr<TAtomicFile> m_file;
    QByteArray m_buffer;
};

} // namespace mirte
