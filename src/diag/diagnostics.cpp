#include "diagnostics.h"

#include "debug_flags.h"

namespace mirte {

TDiagnostics::TDiagnostics(const QString& folder, const QString& exePath)
    : m_log(exePath), m_thDebugLog(m_log) {
    LoadDebugFlags(folder);
    m_trace.Create(folder);
}

TDiagnostics::~TDiagnostics() {
    m_log.Close();
    m_trace.Close();
}

} // namespace mirte
