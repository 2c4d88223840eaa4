#include "debug_flags.h"

#include "notifier.h"
#include "util/errors.h"
#include "util/file_facts.h"
#include "util/ini_file.h"
#include "util/paths.h"
#include "util/text_file.h"

namespace mirte {

namespace detail {
std::atomic<std::uint32_t> g_debugFlags{0};
}

QString DebugFlagName(TDebugFlag flag) {
    static const char* const names[] = {"DebugInfo",    "DebugLog",     "DebugTrace",
                                        "DebugRecStr",  "DebugTitle",   "DebugLoadRec",
                                        "DebugSaveRec", "DebugFindTime"};
    const int index = static_cast<int>(flag);
    return index >= 0 && index < DebugFlagCount ? QString::fromLatin1(names[index]) : QString();
}

void SetDebugFlags(std::uint32_t flags) {
    detail::g_debugFlags.store(flags, std::memory_order_relaxed);
}

std::uint32_t DebugFlags() {
    return detail::g_debugFlags.load(std::memory_order_relaxed);
}

namespace {

void WriteDebugTxt(const QString& folder, std::uint32_t flags) {
    TOutputTextFile file(JoinPath(folder, QStringLiteral("Debug.txt")));
    try {
        file.Open();
        file.WriteLine(QStringLiteral("[%1]").arg(QStringLiteral("Debug")));
        for (int i = 0; i < DebugFlagCount; ++i) {
            file.WriteLine(QStringLiteral("%1=%2")
                               .arg(DebugFlagName(static_cast<TDebugFlag>(i)))
                               .arg((flags >> i) & 1u));
        }
        file.Close();
    } catch (const ECacheError& error) {
        Notify(error.Message()); // a diagnostic aid only: the program starts all the same
    }
}

} // namespace

void LoadDebugFlags(const QString& folder) {
    const QString iniName = JoinPath(folder, QStringLiteral("Debug.ini"));
    if (!FileExistsExact(iniName)) {
        return;
    }
    const IniFile ini(iniName);
    std::uint32_t flags = 0;
    for (int i = 0; i < DebugFlagCount; ++i) {
        const QString key = DebugFlagName(static_cast<TDebugFlag>(i));
        if (ini.ReadInteger(QStringLiteral("Debug"), key, 0) != 0) {
            flags |= 1u << i;
        }
    }
    SetDebugFlags(flags);
    if (DebugFlagOn(TDebugFlag::DebugInfo)) {
        WriteDebugTxt(folder, flags);
    }
}

} // namespace mirte
