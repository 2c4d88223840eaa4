#pragma once

#include "diag/notifier.h"

#include <QStringList>
#include <mutex>

namespace mirte::test {

// Collects the diagnostics' notices while it lives, instead of printing them.
class NoticeRecorder {
public:
    NoticeRecorder() {
        SetNoticeHandler([this](const QString& message) {
            const std::lock_guard lock(m_mutex);
            m_notices.append(message);
        });
    }
    ~NoticeRecorder() { SetNoticeHandler(nullptr); }
    NoticeRecorder(const NoticeRecorder&) = delete;
    NoticeRecorder& operator=(const NoticeRecorder&) = delete;

    QStringList Notices() const {
        const std::lock_guard lock(m_mutex);
        return m_notices;
    }

private:
    mutable std::mutex m_mutex;
    QStringList m_notices;
};

} // namespace mirte::test
