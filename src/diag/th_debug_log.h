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
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wformat-security" // the patterns are the program's own
#endif
            m_log.Write(QString::asprintf(pattern, std::forward<Args>(args)...));
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
        }
    }

private:
    TLogFile& m_log;
};

} // namespace mirte
