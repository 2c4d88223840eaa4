#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace mirte {

// What a killed process leaves behind (a file being written beside its target, a scratch folder
// in the temporary folder) carries the process's id in its name, so that a later run can tell
// what is left over and remove it.

// Whether a process with this id exists (a zombie not yet collected counts).
bool ProcessRunning(qint64 pid);

// Removes the new files that TAtomicFile writers of processes that have gone left beside
// `target` (".NAME.PID.N.new"); returns how many went.
int RemoveLeftoverWrites(const QString& target);

// The name of an entry of this process: prefix + its id + "-".
QString NameOfThisProcess(const QString& prefix);

// Removes the entries of `folder` named prefix + id + "-" + anything whose process has gone:
// files, and folders with everything in them (after `inFolder` has seen each such folder);
// returns how many went.
int RemoveLeftovers(const QString& folder, const QString& prefix,
                    const std::function<void(const QString& path)>& inFolder = {});

} // namespace mirte
