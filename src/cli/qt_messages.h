#pragma once

namespace mirte {
class TLogFile;
} // namespace mirte

namespace mirte::cli {

// Qt's own diagnostics ("QPainter::begin(): Returned false", a font it cannot find ...) are not
// the user's business on a terminal: from this call on they go to the run's log while one is
// open (Debug.ini switches it on), else nowhere. A fatal one still goes to standard error, as
// the program ends with it. Call before the application object, whose start may warn.
void KeepQtMessagesOffTheTerminal();
// While it lives, the log takes them.
class TQtMessagesToLog {
public:
    explicit TQtMessagesToLog(TLogFile& log);
    ~TQtMessagesToLog();
    TQtMessagesToLog(const TQtMessagesToLog&) = delete;
    TQtMessagesToLog& operator=(const TQtMessagesToLog&) = delete;
};

} // namespace mirte::cli
