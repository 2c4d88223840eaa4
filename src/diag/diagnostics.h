#pragma once

#include "log_file.h"
#include "th_debug_log.h"
#include "trace_file.h"

#include <QString>

namespace mirte {

// The diagnostics of one run, made before any window and ended after the last: reads the
// switches of Debug.ini (writing Debug.txt when asked), creates the trace file, and holds the
// log (closed until the cache opens it through ThDebugLog()), into which the core's failures also
// write their libraries' own words (failure_log.h). The end writes "ログ終了" and the trace
// file's end line.
class TDiagnostics {
public:
    // folder: where Debug.ini, Debug.txt and DebugTrace.dbg live; exePath: the program file.
    TDiagnostics(const QString& folder, const QString& exePath);
    ~TDiagnostics();
    TDiagnostics(const TDiagnostics&) = delete;
    TDiagnostics& operator=(const TDiagnostics&) = delete;

    TLogFile& Log() { return m_log; }
    TThDebugLog& ThDebugLog() { return m_thDebugLog; }
    TTraceFile& Trace() { return m_trace; }

private:
    TTraceFile m_trace;
    TLogFile m_log;
    TThDebugLog m_thDebugLog;
};

} // namespace mirte
