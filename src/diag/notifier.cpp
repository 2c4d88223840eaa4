#include "notifier.h"

#include <QCoreApplication>
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
    const QString line = QCoreApplication::translate("Notifier", "ミルテ: %1").arg(message);
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

} // namespace mirte
