#include "text_file.h"

#include "errors.h"
#include "file_facts.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace mirte {

namespace {

constexpr qsizetype BufferSize = 8192;

[[noreturn]] void ThrowCannotOpen(const QString& fileName) {
    throw ECacheError(
        FormatMessage("ファイル \"%s\" をオープンできません。", qUtf8Printable(fileName)));
}

[[noreturn]] void ThrowIoError(const char* pattern, const QString& fileName, int error) {
    throw EInOutError(
        FormatMessage(pattern, qUtf8Printable(fileName), qUtf8Printable(SystemErrorText(error))),
        error);
}

} // namespace

TInputTextFile::TInputTextFile(QString fileName) : m_fileName(std::move(fileName)) {}

void TInputTextFile::Open() {
    Close();
    if (!FileExistsExact(m_fileName)) {
        throw ECacheError(
            FormatMessage("ファイル \"%s\" が存在しません。", qUtf8Printable(m_fileName)));
    }
    UniqueFd fd(::open(QFile::encodeName(m_fileName).constData(), O_RDONLY | O_CLOEXEC));
    if (!fd.Valid()) {
        ThrowCannotOpen(m_fileName);
    }
    m_fd = std::move(fd);
    m_buffer.clear();
    m_pos = 0;
    m_atStart = true;
}

bool TInputTextFile::Fill() {
    if (!m_fd.Valid()) {
        return false;
    }
    m_buffer.resize(BufferSize);
    m_pos = 0;
    for (;;) {
        const ssize_t got = ::read(m_fd.Get(), m_buffer.data(), BufferSize);
        if (got >= 0) {
            m_buffer.resize(got);
            break;
        }
        if (errno != EINTR) {
            const int error = errno;
            m_buffer.clear();
            ThrowIoError("ファイル \"%s\" の読み込み中にエラーが発生しました。詳細：%s", m_fileName,
                         error);
        }
    }
    if (m_atStart && !m_buffer.isEmpty()) {
        m_atStart = false;
        if (m_buffer.startsWith("\xEF\xBB\xBF")) {
            m_pos = 3; // a byte-order mark is no part of the text
            if (m_pos >= m_buffer.size()) {
                return Fill();
            }
        }
    }
    return m_pos < m_buffer.size();
}

bool TInputTextFile::Eof() {
    return m_pos >= m_buffer.size() && !Fill();
}

QString TInputTextFile::ReadLine() {
    QByteArray line;
    for (;;) {
        if (m_pos >= m_buffer.size() && !Fill()) {
            break; // the end of the file ends the line
        }
        const char* begin = m_buffer.constData() + m_pos;
        const qsizetype left = m_buffer.size() - m_pos;
        qsizetype n = 0;
        while (n < left && begin[n] != '\n' && begin[n] != '\r') {
            ++n;
        }
        if (line.size() + n > MaxLineBytes) {
            throw EInOutError(
                FormatMessage("ファイル \"%s\" の行が長すぎます。", qUtf8Printable(m_fileName)),
                EFBIG);
        }
        line.append(begin, n);
        m_pos += n;
        if (n == left) {
            continue; // the line goes on in the next block
        }
        const char end = m_buffer[m_pos++];
        if (end == '\r' && (m_pos < m_buffer.size() || Fill()) && m_buffer[m_pos] == '\n') {
            ++m_pos;
        }
        break;
    }
    return QString::fromUtf8(line);
}

void TInputTextFile::Close() {
    m_fd.Reset();
    m_buffer.clear();
    m_pos = 0;
}

TOutputTextFile::TOutputTextFile(QString fileName) : m_fileName(std::move(fileName)) {}

TOutputTextFile::~TOutputTextFile() {
    try {
        Close();
    } catch (const EInOutError&) {
        // Nobody is left to tell; callers who care call Close() themselves.
    }
}

void TOutputTextFile::Open() {
    Close();
    const QFileInfo info(m_fileName);
    if (!QDir().mkpath(info.absolutePath())) {
        ThrowCannotOpen(m_fileName);
    }
    const QByteArray path = QFile::encodeName(m_fileName);
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR)) {
        ::chmod(path.constData(), (st.st_mode & 07777) | S_IWUSR);
    }
    UniqueFd fd(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd.Valid()) {
        ThrowCannotOpen(m_fileName);
    }
    m_fd = std::move(fd);
    m_buffer.clear();
    m_buffer.reserve(BufferSize * 2);
}

void TOutputTextFile::WriteLine(const QString& text) {
    if (!m_fd.Valid()) {
        throw EInOutError(
            FormatMessage("ファイル \"%s\" は開かれていません。", qUtf8Printable(m_fileName)),
            EBADF);
    }
    m_buffer.append(text.toUtf8());
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= BufferSize) {
        Flush();
    }
}

void TOutputTextFile::Flush() {
    qsizetype done = 0;
    while (done < m_buffer.size()) {
        const ssize_t put =
            ::write(m_fd.Get(), m_buffer.constData() + done, m_buffer.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            const int error = put < 0 ? errno : ENOSPC;
            m_buffer.clear();
            ThrowIoError("ファイル \"%s\" への書き込み中にエラーが発生しました。詳細：%s",
                         m_fileName, error);
        }
        done += put;
    }
    m_buffer.clear();
}

void TOutputTextFile::Sync() {
    if (!m_fd.Valid()) {
        return;
    }
    Flush();
    if (::fsync(m_fd.Get()) != 0) {
        ThrowIoError("ファイル \"%s\" への書き込み中にエラーが発生しました。詳細：%s", m_fileName,
                     errno);
    }
}

void TOutputTextFile::Close() {
    if (!m_fd.Valid()) {
        return;
    }
    try {
        Flush();
    } catch (...) {
        m_fd.Reset();
        throw;
    }
    // Some file systems (NFS) report a failed write only when the file is closed.
    const int result = ::close(m_fd.Release());
    if (result != 0 && errno != EINTR) {
        ThrowIoError("ファイル \"%s\" への書き込み中にエラーが発生しました。詳細：%s", m_fileName,
                     errno);
    }
}

} // namespace mirte
