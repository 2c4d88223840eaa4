#include "text_file.h"

#include "errors.h"
#include "file_facts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>

namespace mirte {

namespace {

constexpr qsizetype BufferSize = 8192;

[[noreturn]] void ThrowCannotOpen(const QString& fileName) {
    throw ECacheError(
        QCoreApplication::translate("TextFile", "ファイル \"%1\" をオープンできません。")
            .arg(fileName));
}

[[noreturn]] void ThrowReadError(const QString& fileName, int error) {
    throw EInOutError(
        QCoreApplication::translate("TextFile",
                                    "ファイル \"%1\" の読み込み中にエラーが発生しました。詳細：%2")
            .arg(fileName, SystemErrorText(error)),
        error);
}

} // namespace

TInputTextFile::TInputTextFile(QString fileName) : m_fileName(std::move(fileName)) {}

void TInputTextFile::Open() {
    Close();
    if (!FileExistsExact(m_fileName)) {
        throw ECacheError(tr("ファイル \"%1\" が存在しません。").arg(m_fileName));
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
            ThrowReadError(m_fileName, error);
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
            throw EInOutError(tr("ファイル \"%1\" の行が長すぎます。").arg(m_fileName), EFBIG);
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

TOutputTextFile::TOutputTextFile(QString fileName, TFileAccess access)
    : m_fileName(std::move(fileName)), m_access(access) {}

TOutputTextFile::~TOutputTextFile() = default;

void TOutputTextFile::Open() {
    m_file.reset();
    m_buffer.clear();
    if (!MakeFolderPath(QFileInfo(m_fileName).absolutePath(), m_access)) {
        ThrowCannotOpen(m_fileName);
    }
    try {
        m_file = std::make_unique<TAtomicFile>(m_fileName, m_access);
    } catch (const EInOutError&) {
        ThrowCannotOpen(m_fileName);
    }
    m_buffer.reserve(BufferSize * 2);
}

void TOutputTextFile::WriteLine(const QString& text) {
    if (!m_file) {
        throw EInOutError(tr("ファイル \"%1\" は開かれていません。").arg(m_fileName), EBADF);
    }
    m_buffer.append(text.toUtf8());
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= BufferSize) {
        Flush();
    }
}

void TOutputTextFile::Flush() {
    try {
        m_file->Write(m_buffer);
    } catch (...) {
        m_file.reset(); // the new file is gone; the old one stays
        m_buffer.clear();
        throw;
    }
    m_buffer.clear();
}

void TOutputTextFile::Close() {
    if (!m_file) {
        return;
    }
    Flush();
    const std::unique_ptr<TAtomicFile> file = std::move(m_file);
    file->Commit(true);
}

} // namespace mirte
