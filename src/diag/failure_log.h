#pragma once

#include <QString>

namespace mirte {

class TLogFile;

// Where the core writes what a library said when it failed (a picture LibRaw or libheif cannot
// read, say), beside the program's own reason that the user sees: the run's log, while DebugLog
// is on and the log is open. The run's diagnostics set it; without them (tests, fuzzing) nothing
// is written. Any thread.
void SetFailureLog(TLogFile* log);
void LogFailure(const QString& text);

} // namespace mirte
