#include "diagnostics.h"

#include "debug_flags.h"
#include "failure_log.h"

namespace mirte {

TDiagnostics::TDiagnostics(const QString& folder, const QString& exePath)
    : m_log(exePath), m_thDebugLog(m_log) {
    LoadDebugFlags(folder);
    m_trace.Create(folder);
    SetFailureLog(&m_log);
}

TDiagnostics::~TDiagnostics() {
    SetFailureLog(nullptr);
    m_log.Close();
    m_trace.Close();
}

} // namespace mirte
