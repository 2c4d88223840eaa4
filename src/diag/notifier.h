#pragma once

#include <QString>
#include <functional>

namespace mirte {

// Where the diagnostics report their own failures (a log that cannot be written, say).
// The window layer installs a handler that shows a message box on the GUI thread; until then
// notices go to standard error. The handler may be called from any thread.
using NoticeHandler = std::function<void(const QString& message)>;

void SetNoticeHandler(NoticeHandler handler);
void Notify(const QString& message);

} // namespace mirte
