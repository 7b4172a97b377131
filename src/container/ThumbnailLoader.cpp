#include "container/ThumbnailLoader.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThreadPool>

#include <algorithm>

namespace quorbell::container {
namespace {

// Small chunks at the start let both workers share the first screen; larger
// ones afterwards keep the reads long and the bookkeeping small.
constexpr int kFirstChunkRecords = 16;
constexpr int kFirstScreenRecords = 256;
constexpr int kChunkRecords = 128;

} // namespace

ThumbnailLoader::ThumbnailLoader(std::shared_ptr<const ContainerFile> file)
    : m_file(std::move(file))
{
    const int n = m_file->count();
    m_images.resize(size_t(n));
    m_failures.resize(size_t(n));
    for (int i = 0; i < n;) {
        m_chunkStarts.push_back(i);
        i += i < kFirstScreenRecords ? kFirstChunkRecords : kChunkRecords;
    }
    m_chunkStarts.push_back(n);
    const size_t chunks = m_chunkStarts.size() - 1;
    m_chunkDone.reset(new std::atomic<bool>[chunks]);
    for (size_t c = 0; c < chunks; ++c)
        m_chunkDone[c].store(false);
}

ThumbnailLoader::~ThumbnailLoader()
{
    cancel();
}

void ThumbnailLoader::setReadyCallback(std::function<void(int)> callback)
{
    m_callback = std::move(callback);
}

void ThumbnailLoader::start(QThreadPool* pool)
{
    if (!pool)
        pool = QThreadPool::globalInstance();
    const int chunks = int(m_chunkStarts.size()) - 1;
    const int workers = std::min(std::max(1, pool->maxThreadCount()), chunks);
    {
        QMutexLocker lock(&m_mutex);
        if (m_started)
            return;
        m_started = true;
        m_running = workers;
    }
    for (int w = 0; w < workers; ++w)
        pool->start([this] { runWorker(); });
}

void ThumbnailLoader::cancel()
{
    m_cancelled.store(true);
    {
        QMutexLocker lock(&m_mutex);
        m_changed.wakeAll();
    }
    waitForWorkers();
}

void ThumbnailLoader::waitForWorkers()
{
    QMutexLocker lock(&m_mutex);
    while (m_running > 0)
        m_changed.wait(&m_mutex);
}

void ThumbnailLoader::runWorker()
{
    const int chunks = int(m_chunkStarts.size()) - 1;
    for (;;) {
        const int c = m_nextChunk.fetch_add(1);
        if (c >= chunks || m_cancelled.load())
            break;
        const int first = m_chunkStarts[size_t(c)];
        const int last = m_chunkStarts[size_t(c) + 1];
        std::vector<ContainerResult<QImage>> results = m_file->thumbnails(first, last);
        for (int i = first; i < last; ++i) {
            ContainerResult<QImage>& r = results[size_t(i - first)];
            if (r)
                m_images[size_t(i)] = std::move(*r);
            else
                m_failures[size_t(i)] = r.error();
        }
        finishChunk(c);
    }
    QMutexLocker lock(&m_mutex);
    --m_running;
    m_changed.wakeAll();
}

void ThumbnailLoader::finishChunk(int chunk)
{
    const int chunks = int(m_chunkStarts.size()) - 1;
    int ready = -1;
    {
        QMutexLocker lock(&m_mutex);
        m_chunkDone[size_t(chunk)].store(true);
        const int before = m_readyChunks;
        while (m_readyChunks < chunks && m_chunkDone[size_t(m_readyChunks)].load())
            ++m_readyChunks;
        if (m_readyChunks != before) {
            m_readyCount = m_chunkStarts[size_t(m_readyChunks)];
            ready = m_readyCount;
            m_changed.wakeAll();
        }
    }
    if (ready < 0 || !m_callback)
        return;
    QMutexLocker lock(&m_callbackMutex);
    const int now = readyCount();
    if (now > m_reported) {
        m_reported = now;
        m_callback(now);
    }
}

int ThumbnailLoader::readyCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_readyCount;
}

bool ThumbnailLoader::waitForReady(int n, int timeoutMs) const
{
    n = std::min(n, count());
    QDeadlineTimer deadline(timeoutMs < 0 ? QDeadlineTimer::Forever : QDeadlineTimer(timeoutMs));
    QMutexLocker lock(&m_mutex);
    while (m_readyCount < n) {
        if (m_cancelled.load() || (m_running == 0 && m_started))
            return m_readyCount >= n;
        if (!m_started && deadline.isForever())
            return false; // nothing will ever arrive
        if (!m_changed.wait(&m_mutex, deadline))
            return m_readyCount >= n;
    }
    return true;
}

QImage ThumbnailLoader::takeThumbnail(int index)
{
    Q_ASSERT(index < readyCount());
    return std::move(m_images[size_t(index)]);
}

std::optional<ContainerError> ThumbnailLoader::failure(int index) const
{
    Q_ASSERT(index < readyCount());
    return m_failures[size_t(index)];
}

std::optional<ContainerError> ThumbnailLoader::firstFailure() const
{
    const int ready = readyCount();
    for (int i = 0; i < ready; ++i) {
        if (m_failures[size_t(i)])
            return m_failures[size_t(i)];
    }
    return std::nullopt;
}

} // namespace quorbell::container
