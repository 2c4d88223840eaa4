#include "qt_messages.h"

#include "diag/log_file.h"

#include <QString>
#include <QtGlobal>
#include <atomic>
#include <cstdio>

namespace mirte::cli {

namespace {

std::atomic<TLogFile*> g_log{nullptr};

// Any thread: the render workers' libraries reach Qt too.
void Route(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "mirte-cli: %s\n", qUtf8Printable(message));
        return;
    }
    TLogFile* log = g_log.load();
    if (log != nullptr && log->IsOpen()) {
        log->Write(QStringLiteral("Qt: ") + message);
    }
}

} // namespace

void KeepQtMessagesOffTheTerminal() {
    qInstallMessageHandler(Route);
}

TQtMessagesToLog::TQtMessagesToLog(TLogFile& log) {
    g_log.store(&log);
}

TQtMessagesToLog::~TQtMessagesToLog() {
    g_log.store(nullptr);
}

} // namespace mirte::cli
