#include "terminal_progress.h"

#include <QCoreApplication>
#include <unistd.h>

namespace mirte::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void NoteInterrupt(int) {
    g_interrupted = 1;
}

} // namespace

TTerminalProgress::TTerminalProgress(std::FILE* to) : m_to(to), m_shown(::isatty(::fileno(to))) {
    g_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, &m_oldInt);
    ::sigaction(SIGTERM, &action, &m_oldTerm);
}

TTerminalProgress::~TTerminalProgress() {
    ::sigaction(SIGINT, &m_oldInt, nullptr);
    ::sigaction(SIGTERM, &m_oldTerm, nullptr);
}

void TTerminalProgress::PagePrinted(int page, int pageTotal, int) {
    if (!m_shown) {
        return;
    }
    const QString text =
        QCoreApplication::translate("CliMessages", "%1/%2 ページ").arg(page).arg(pageTotal);
    std::fprintf(m_to, "\r%s", qUtf8Printable(text));
    std::fflush(m_to);
    m_written = true;
}

bool TTerminalProgress::CancelRequested() {
    return g_interrupted != 0;
}

void TTerminalProgress::Finish() {
    if (m_written) {
        std::fputs("\n", m_to);
        m_written = false;
    }
}

} // namespace mirte::cli
