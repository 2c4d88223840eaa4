#pragma once
// The loader thread's two ways of handing work to the GUI thread, shared by the loader's files.

#include "image_list_thread.h"

#include <QMetaObject>
#include <QObject>
#include <atomic>
#include <exception>

namespace mirte {

template <class F> void TImageListThread::OnGui(F&& f) {
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        m_handOver.get(),
        [&] {
            try {
                f();
            } catch (...) {
                failure = std::current_exception(); // never into the GUI's event loop
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure) {
        std::rethrow_exception(failure);
    }
}

template <class F> void TImageListThread::PostToGui(F&& f) {
    // Run without waiting: the GUI thread fits and paints while this thread goes on. At most
    // MaxQueuedShows wait; then the loader waits until they are shown.
    ++m_queuedShows;
    QMetaObject::invokeMethod(
        m_handOver.get(),
        [this, f = std::forward<F>(f)] {
            --m_queuedShows;
            try {
                f();
            } catch (const std::exception&) {
                // The cell keeps what it had; the load goes on.
            }
        },
        Qt::QueuedConnection);
    if (m_queuedShows.load() > MaxQueuedShows) {
        OnGui([] {}); // runs after every show posted before it
    }
}

} // namespace mirte
