#pragma once

#include "layouts/print_progress.h"

#include <csignal>
#include <cstdio>

namespace mirte::cli {

// The pages printed so far ("3/14 ページ"), rewritten in place on a terminal; nothing when the
// stream is not a terminal. An interrupt (Ctrl+C) or a termination signal while it exists
// cancels the run between pages, so that the job is aborted and leaves nothing behind.
class TTerminalProgress : public TPrintProgress {
public:
    explicit TTerminalProgress(std::FILE* to);
    ~TTerminalProgress() override;
    TTerminalProgress(const TTerminalProgress&) = delete;
    TTerminalProgress& operator=(const TTerminalProgress&) = delete;

    void Start() override {}
    void PagePrinted(int page, int pageTotal, int percent) override;
    bool CancelRequested() override;
    void Finish() override;

private:
    std::FILE* m_to;
    bool m_shown;
    bool m_written = false;
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
};

} // namespace mirte::cli
