#pragma once

#include "debug_flags.h"
#include "log_file.h"

#include <QString>
#include <utility>

namespace mirte {

// The gate through which the cache logs: everything passes only while DebugLog is on, and a
// formatted message is not even built while it is off.
class TThDebugLog {
public:
    explicit TThDebugLog(TLogFile& log) : m_log(log) {}

    static bool Enabled() { return DebugFlagOn(TDebugFlag::DebugLog); }

    void Open(const QString& path) {
        if (Enabled()) {
            m_log.Open(path);
        }
    }
    void Write(const QString& text) {
        if (Enabled()) {
            m_log.Write(text);
        }
    }
    // printf-like; %s takes UTF-8 text (qUtf8Printable).
    template <typename... Args> void WriteF(const char* pattern, Args&&... args) {
        if (Enabled()) {
// The patterns are the program's own; Debian's flags make this warning an error.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
            m_log.Write(QString::asprintf(pattern, std::forward<Args>(args)...));
#pragma GCC diagnostic pop
        }
    }

private:
    TLogFile& m_log;
};

} // namespace mirte
