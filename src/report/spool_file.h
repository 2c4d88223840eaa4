#pragma once

#include <QString>

namespace mirte {

// A print job for a file is written to a spool file beside it and renamed over it when the job
// ends, so that the target is never half written and an aborted job leaves nothing.

// The hidden spool file beside `target` for this process's job.
QString SpoolFileBeside(const QString& target);
// Puts the finished spool file in the target's place in one rename; false when it cannot.
bool MoveSpoolOver(const QString& spool, const QString& target);

} // namespace mirte
