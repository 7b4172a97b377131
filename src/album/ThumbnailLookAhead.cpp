#include "album/ThumbnailLookAhead.h"

#include "album/ThumbnailPool.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent>

namespace quorbell::album {

ThumbnailLookAhead::ThumbnailLookAhead(std::function<QString(int)> pathOf, int count, int cellSize)
    : m_pathOf(std::move(pathOf)), m_count(count), m_cellSize(cellSize),
      // Deep enough that the workers stay ahead of the UI thread even when an
      // album takes them a fraction of a millisecond (a camera's embedded
      // thumbnail): a loading step can then apply many albums before it has
      // to wait. What waits costs only its small cell picture.
      m_window(qMax(8, 16 * thumbnailPool()->maxThreadCount()))
{
}

ThumbnailLookAhead::~ThumbnailLookAhead()
{
    cancel();
}

void ThumbnailLookAhead::prefetch(int index)
{
    const int cellSize = m_cellSize;
    for (int i = index; i < m_count && i < index + m_window; ++i) {
        if (m_pending.contains(i))
            continue;
        const QString path = m_pathOf(i);
        m_pending.insert(i, QtConcurrent::run(thumbnailPool(), [path, cellSize] {
                             return makeAlbumThumbnail(path, cellSize);
                         }));
    }
}

bool ThumbnailLookAhead::isReady(int index) const
{
    const auto it = m_pending.constFind(index);
    return it == m_pending.constEnd() || it->isFinished();
}

void ThumbnailLookAhead::whenReady(int index, std::function<void()> wake)
{
    const auto it = m_pending.constFind(index);
    if (it == m_pending.constEnd() || it->isFinished()) {
        wake();
        return;
    }
    auto* watcher = new QFutureWatcher<AlbumThumbnail>;
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                     [watcher, wake = std::move(wake)] {
                         watcher->deleteLater();
                         wake();
                     });
    watcher->setFuture(*it);
}

std::optional<AlbumThumbnail> ThumbnailLookAhead::take(int index)
{
    const auto it = m_pending.find(index);
    if (it == m_pending.end())
        return std::nullopt;
    AlbumThumbnail made = it->result();
    m_pending.erase(it);
    return made;
}

void ThumbnailLookAhead::cancel()
{
    for (QFuture<AlbumThumbnail>& f : m_pending)
        f.cancel(); // not started yet: never runs; running: its result is dropped
    m_pending.clear();
}

} // namespace quorbell::album
