#pragma once

#include "diag/debug_flags.h"
#include "diag/th_debug_log.h"

#include <QString>
#include <utility>

namespace mirte {

// The cache's way into the debug log; a cache made without a log (in tests, say) logs nothing.
class CacheLog {
public:
    explicit CacheLog(TThDebugLog* log = nullptr) : m_log(log) {}

    bool Enabled() const { return m_log != nullptr && TThDebugLog::Enabled(); }
    // printf-like; %s takes UTF-8 text (qUtf8Printable). Nothing is formatted while logging is off.
    template <typename... Args> void Write(const char* pattern, Args&&... args) const {
        if (Enabled()) {
            m_log->WriteF(pattern, std::forward<Args>(args)...);
        }
    }

private:
    TThDebugLog* m_log;
};

} // namespace mirte
