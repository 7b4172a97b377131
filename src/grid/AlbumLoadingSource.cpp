#include "grid/AlbumLoadingSource.h"

#include "album/AlbumReaderUi.h"
#include "core/frmMain.h"

namespace quorbell {

AlbumLoadingSource::AlbumLoadingSource(const AlbumDocument& doc)
    : m_ahead([&doc](int index) { return doc.albumPath(index); }, doc.albumCount(), doc.cellSize())
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
    AlbumDocument& doc = w.document();
    const QString name = doc.entry(index).fileName;
    const QString path = doc.albumPath(index);
    const std::optional<album::AlbumThumbnail> prepared = m_ahead.take(index);
    LoadedPicture current;
    const AlbumReadOutcome outcome =
        ReadAlbumFile(w, current, qint16(index), path, name, prepared ? &*prepared : nullptr);
    switch (outcome) {
    case AlbumReadOutcome::Read:
    case AlbumReadOutcome::Unreadable:
        MakeThumbnail(doc, current, qint16(index));
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
