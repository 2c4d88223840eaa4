#include "notifier.h"

#include <cstdio>
#include <mutex>

namespace mirte {

namespace {

std::mutex& HandlerMutex() {
    static std::mutex mutex;
    return mutex;
}

NoticeHandler& Handler() {
    static NoticeHandler handler;
    return handler;
}

} // namespace

void SetNoticeHandler(NoticeHandler handler) {
    const std::lock_guard lock(HandlerMutex());
    Handler() = std::move(handler);
}

void Notify(const QString& message) {
    NoticeHandler handler;
    {
        const std::lock_guard lock(HandlerMutex());
        handler = Handler();
    }
    if (handler) {
        handler(message);
        return;
    }
    std::fprintf(stderr, "ミルテ: %s\n", message.toUtf8().constData());
}

} // namespace mirte
