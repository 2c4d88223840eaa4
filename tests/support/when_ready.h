#pragma once

#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace mirte::test {

// Runs `action` once, as soon as `ready` holds, from the event loop of whatever modal window
// is running; gives up after about five seconds so that a test never blocks for good.
inline void WhenReady(const std::function<bool()>& ready, const std::function<void()>& action) {
    auto* timer = new QTimer(QCoreApplication::instance());
    auto tries = std::make_shared<int>(0);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (ready()) {
            timer->stop();
            timer->deleteLater();
            action();
        } else if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

} // namespace mirte::test
