#pragma once

#include <QString>
#include <atomic>
#include <cstdint>

namespace mirte {

// The diagnostic switches of Debug.ini, in the order of the file.
enum class TDebugFlag {
    DebugInfo,     // write the effective switches to Debug.txt at start
    DebugLog,      // open the log file and write every log call of the cache
    DebugTrace,    // create the trace file DebugTrace.dbg
    DebugRecStr,   // rebuild each record read from the management file and compare
    DebugTitle,    // give the management file its title line
    DebugLoadRec,  // log every line read from the management file
    DebugSaveRec,  // log every line written to the management file
    DebugFindTime, // log every cache search with its duration
    DebugEnd,      // marks the end only
};

constexpr int DebugFlagCount = static_cast<int>(TDebugFlag::DebugEnd);

// "DebugInfo" ... "DebugFindTime".
QString DebugFlagName(TDebugFlag flag);

namespace detail {
extern std::atomic<std::uint32_t> g_debugFlags;
}

// Whether a switch is on; one load and one bit test, so that logging that is off costs nothing.
inline bool DebugFlagOn(TDebugFlag flag) {
    return (detail::g_debugFlags.load(std::memory_order_relaxed) >> static_cast<int>(flag)) & 1u;
}

// Replaces the process's switches (a bit per flag).
void SetDebugFlags(std::uint32_t flags);
std::uint32_t DebugFlags();

// Reads Debug.ini from the folder when it is there: each switch is on when its key in section
// "Debug" reads as a non-zero number. Writes Debug.txt there when DebugInfo is on; a Debug.txt
// that cannot be written is skipped with a notice. Without Debug.ini every switch stays off.
void LoadDebugFlags(const QString& folder);

} // namespace mirte
