#include "trace_file.h"

#include "debug_flags.h"
#include "util/paths.h"

#include <QFile>

namespace mirte {

TTraceFile::~TTraceFile() {
    Close();
}

void TTraceFile::Create(const QString& folder) {
    const std::lock_guard lock(m_mutex);
    m_isOpen = false;
    if (!DebugFlagOn(TDebugFlag::DebugTrace)) {
        return;
    }
    m_path = JoinPath(folder, QStringLiteral("DebugTrace.dbg"));
    QFile file(m_path);
    m_isOpen = file.open(QIODevice::WriteOnly | QIODevice::Truncate,
                         QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TTraceFile::Write(const QString& text) {
    const std::lock_guard lock(m_mutex);
    if (!m_isOpen) {
        return;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) ||
        file.write(text.toUtf8() + "\r\n") < 0) {
        m_isOpen = false;
    }
}

void TTraceFile::Close() {
    Write(QStringLiteral("***** End of Trace *****"));
    const std::lock_guard lock(m_mutex);
    m_isOpen = false;
}

bool TTraceFile::IsOpen() const {
    const std::lock_guard lock(m_mutex);
    return m_isOpen;
}

QString TTraceFile::Path() const {
    const std::lock_guard lock(m_mutex);
    return m_path;
}

} // namespace mirte
