#include "render_pool.h"

#include "listed_facts.h"
#include "picture/first_image.h"
#include "picture/stored_thumbnail.h"

#include <QByteArray>
#include <QCoreApplication>
#include <algorithm>

namespace mirte {

TRenderPool::TRenderPool(int workers) {
    const int count = std::clamp(workers > 0 ? workers : DefaultWorkers(), 1, 64);
    m_threads.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        m_threads.emplace_back([this] { Work(); });
    }
}

TRenderPool::~TRenderPool() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_jobReady.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

int TRenderPool::DefaultWorkers() {
    const int cores = std::max(1, int(std::thread::hardware_concurrency()));
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("MIRTE_RENDER_WORKERS", &ok);
    return ok && asked > 0 ? std::min(asked, 64) : cores;
}

void TRenderPool::Submit(Job job) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(job));
    }
    m_jobReady.notify_one();
}

int TRenderPool::Outstanding() const {
    std::lock_guard lock(m_mutex);
    return int(m_queue.size() + m_done.size()) + m_running;
}

bool TRenderPool::Collect(Done& done, bool wait) {
    std::unique_lock lock(m_mutex);
    if (wait) {
        m_doneReady.wait(lock,
                         [this] { return !m_done.empty() || (m_queue.empty() && m_running == 0); });
    }
    if (m_done.empty()) {
        return false;
    }
    done = std::move(m_done.front());
    m_done.pop_front();
    return true;
}

int TRenderPool::Cancel() {
    std::lock_guard lock(m_mutex);
    const int dropped = int(m_queue.size());
    m_queue.clear();
    m_doneReady.notify_all(); // a collector waiting for the dropped jobs looks again
    return dropped;
}

namespace {

TRenderedPicture ReadStored(const QString& file, QSize box) {
    TRenderedPicture read;
    try {
        if (!ReadStoredThumbnail(file, box, read.Thumbnail)) {
            read.Error =
                QCoreApplication::translate("RenderPool", "サムネイルファイルがありません。");
        }
    } catch (const std::exception& damaged) {
        read.Thumbnail = QImage();
        read.Error = QString::fromUtf8(damaged.what());
    }
    return read;
}

TRenderedPicture ReadFirst(const QString& path, QSize box) {
    TFirstImage first = ReadFirstImage(path, box);
    TRenderedPicture read;
    read.Thumbnail = std::move(first.Picture);
    read.Error = std::move(first.Reason);
    return read;
}

// Does one job: the facts of the file for ListFacts, a picture for every other kind.
void Run(const TRenderPool::Job& job, TRenderedPicture& result, TItemFacts& listed) {
    const TPictureRequest& asked = job.Request;
    switch (job.Kind) {
    case TJobKind::ReadStored:
        result = ReadStored(job.Stored, asked.Box);
        return;
    case TJobKind::FirstImage:
        result = ReadFirst(asked.Path, asked.Box);
        return;
    case TJobKind::ListFacts:
        listed = HeaderItemFacts(asked.Path, asked.Look);
        return;
    case TJobKind::Render:
    case TJobKind::RenderForCache:
        result = RenderPicture(asked.Path, asked.Box, job.Kind == TJobKind::RenderForCache,
                               asked.Look.Exists ? &asked.Look : nullptr);
        return;
    }
}

} // namespace

void TRenderPool::Work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_jobReady.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping) {
            return;
        }
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        lock.unlock();
        TItemFacts listed;
        TRenderedPicture result;
        Run(job, result, listed);
        lock.lock();
        --m_running;
        m_done.push_back({std::move(job), std::move(result), std::move(listed)});
        m_doneReady.notify_all();
    }
}

} // namespace mirte
