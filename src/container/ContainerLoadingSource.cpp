#include "container/ContainerLoadingSource.h"

#include "album/ThumbnailPool.h"
#include "container/ContainerFile.h"
#include "container/ThumbnailLoader.h"
#include "core/frmMain.h"

#include <QObject>

namespace quorbell {

ContainerLoadingSource::ContainerLoadingSource(std::shared_ptr<const container::ContainerFile> file)
    : m_file(std::move(file)), m_loader(std::make_unique<container::ThumbnailLoader>(m_file)),
      m_receiver(std::make_unique<QObject>())
{
    QObject* receiver = m_receiver.get();
    m_loader->setReadyCallback([this, receiver](int) {
        // Worker thread: only hand the news on to the UI thread.
        QMetaObject::invokeMethod(
            receiver, [this] { wakeIfReady(); }, Qt::QueuedConnection);
    });
}

ContainerLoadingSource::~ContainerLoadingSource()
{
    // The workers (and their last callbacks) stop before the receiver goes.
    cancel();
}

void ContainerLoadingSource::prefetch(int)
{
    // One start decodes every record; the loader keeps its own order.
    if (m_started)
        return;
    m_started = true;
    m_loader->start(thumbnailPool());
}

bool ContainerLoadingSource::isReady(int index) const
{
    return index < m_loader->readyCount();
}

void ContainerLoadingSource::whenReady(int index, std::function<void()> wake)
{
    m_wake = std::move(wake);
    m_wakeIndex = index;
    // The record may have come in between the loop's test and now.
    wakeIfReady();
}

void ContainerLoadingSource::wakeIfReady()
{
    if (!m_wake || m_wakeIndex >= m_loader->readyCount())
        return;
    const std::function<void()> wake = std::move(m_wake);
    m_wake = nullptr;
    m_wakeIndex = -1;
    wake();
}

LoadingSource::Outcome ContainerLoadingSource::load(frmMain& w, int index)
{
    AlbumEntry entry = w.document().entry(index);
    entry.thumbnail = m_loader->takeThumbnail(index);
    if (m_loader->failure(index)) {
        // The file was checked when it was opened, down to every record's
        // BMP headers; pixels that still cannot be decoded give an empty cell.
        entry.thumbnail = QImage();
    }
    w.document().setEntry(index, std::move(entry));
    return Outcome::Loaded;
}

void ContainerLoadingSource::cancel()
{
    m_loader->cancel();
    m_wake = nullptr;
    m_wakeIndex = -1;
}

} // namespace quorbell
