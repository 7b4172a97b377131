#include "grid/AlbumLoadingSource.h"

#include "album/AlbumReaderUi.h"
#include "core/GlobalState.h"
#include "core/frmMain.h"

#include <QFutureWatcher>
#include <QtConcurrent>

namespace quorbell {
namespace {

// One pool for every load, so a dropped load never waits for its workers:
// their results are thrown away when they come.
QThreadPool* decodePool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
        return p;
    }();
    return pool;
}

} // namespace

AlbumLoadingSource::AlbumLoadingSource()
    : m_pool(decodePool()), m_lookAhead(qMax(4, 3 * m_pool->maxThreadCount()))
{
}

AlbumLoadingSource::~AlbumLoadingSource()
{
    cancel();
}

void AlbumLoadingSource::prefetch(int index)
{
    const GlobalState& g = stdGlobal();
    const int cellSize = g.cellSize;
    for (int i = index; i < g.albumCount() && i < index + m_lookAhead; ++i) {
        if (m_pending.contains(i))
            continue;
        const QString path = g.albumPath(i);
        m_pending.insert(i, QtConcurrent::run(m_pool, [path, cellSize] {
                             return album::makeAlbumThumbnail(path, cellSize);
                         }));
    }
}

bool AlbumLoadingSource::isReady(int index) const
{
    const auto it = m_pending.constFind(index);
    return it == m_pending.constEnd() || it->isFinished();
}

void AlbumLoadingSource::whenReady(int index, std::function<void()> wake)
{
    const auto it = m_pending.constFind(index);
    if (it == m_pending.constEnd() || it->isFinished()) {
        wake();
        return;
    }
    auto* watcher = new QFutureWatcher<album::AlbumThumbnail>;
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher, [watcher, wake] {
        watcher->deleteLater();
        wake();
    });
    watcher->setFuture(*it);
}

LoadingSource::Outcome AlbumLoadingSource::load(frmMain& w, int index)
{
    const GlobalState& g = stdGlobal();
    const QString name = g.albums.at(index).fileName;
    const QString path = g.albumPath(index);
    std::optional<album::AlbumThumbnail> prepared;
    if (const auto it = m_pending.find(index); it != m_pending.end()) {
        prepared = it->result();
        m_pending.erase(it);
    }
    const AlbumReadOutcome outcome =
        ReadAlbumFile(w, qint16(index), path, name, prepared ? &*prepared : nullptr);
    switch (outcome) {
    case AlbumReadOutcome::Read:
    case AlbumReadOutcome::Unreadable:
        MakeThumbnail(qint16(index));
        return Outcome::Loaded;
    case AlbumReadOutcome::HeaderRefused:
    case AlbumReadOutcome::Cancelled:
        break;
    }
    return Outcome::Stop;
}

void AlbumLoadingSource::cancel()
{
    for (QFuture<album::AlbumThumbnail>& f : m_pending)
        f.cancel(); // not started yet: never runs; running: its result is dropped
    m_pending.clear();
}

} // namespace quorbell
