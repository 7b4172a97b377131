#include "album/ThumbnailPool.h"

#include <QThread>
#include <QThreadPool>

namespace quorbell {

QThreadPool* thumbnailPool()
{
    // Not the global pool: Qt's own painting hands work to that pool and
    // waits for it, so decoding there would hold up every redraw meanwhile.
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
        return p;
    }();
    return pool;
}

} // namespace quorbell
