#pragma once

#include <QString>

namespace mirte {

// The program file and the shared libraries (*.so*) beside it, one "%-16s %s" entry each (name,
// last-write time), joined with CR LF, a tab and three blanks, for the log's first lines.
QString ModuleList(const QString& exePath);

} // namespace mirte
