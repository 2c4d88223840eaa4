#include "failure_log.h"

#include "debug_flags.h"
#include "log_file.h"

#include <atomic>

namespace mirte {

namespace {

std::atomic<TLogFile*> g_failureLog{nullptr};

} // namespace

void SetFailureLog(TLogFile* log) {
    g_failureLog.store(log);
}

void LogFailure(const QString& text) {
    if (!DebugFlagOn(TDebugFlag::DebugLog)) {
        return;
    }
    // A log not open yet would announce the lost line; this one is only for who looks.
    TLogFile* log = g_failureLog.load();
    if (log != nullptr && log->IsOpen()) {
        log->Write(text);
    }
}

} // namespace mirte
