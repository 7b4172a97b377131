#include "grid/AlbumLoadingSource.h"

#include "album/AlbumReaderUi.h"
#include "core/GlobalState.h"
#include "core/frmMain.h"

namespace quorbell {

AlbumLoadingSource::AlbumLoadingSource()
    : m_ahead([](int index) { return stdGlobal().albumPath(index); }, stdGlobal().albumCount(),
              stdGlobal().cellSize)
{
}

AlbumLoadingSource::~AlbumLoadingSource()
{
    cancel();
}

void AlbumLoadingSource::prefetch(int index)
{
    m_ahead.prefetch(index);
}

bool AlbumLoadingSource::isReady(int index) const
{
    return m_ahead.isReady(index);
}

void AlbumLoadingSource::whenReady(int index, std::function<void()> wake)
{
    m_ahead.whenReady(index, std::move(wake));
}

LoadingSource::Outcome AlbumLoadingSource::load(frmMain& w, int index)
{
    const GlobalState& g = stdGlobal();
    const QString name = g.albums.at(index).fileName;
    const QString path = g.albumPath(index);
    const std::optional<album::AlbumThumbnail> prepared = m_ahead.take(index);
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
    m_ahead.cancel();
}

} // namespace quorbell
