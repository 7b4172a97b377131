#include "grid/AlbumLoadingSource.h"

#include "album/AlbumReaderUi.h"
#include "core/frmMain.h"

namespace quorbell {

AlbumLoadingSource::AlbumLoadingSource(const AlbumDocument& doc)
    : m_pathOf([&doc](int index) { return doc.albumPath(index); }),
      m_ahead(m_pathOf, doc.albumCount(), doc.cellSize())
{
}

AlbumLoadingSource::AlbumLoadingSource(const QString& folder, const QStringList& names, int first,
                                       int cellSize)
    : m_first(first),
      m_pathOf([folder, names, first](int index) { return folder + names.at(index - first); }),
      m_ahead([folder, names](int k) { return folder + names.at(k); }, int(names.size()), cellSize)
{
}

AlbumLoadingSource::~AlbumLoadingSource()
{
    cancel();
}

void AlbumLoadingSource::prefetch(int index)
{
    m_ahead.prefetch(index - m_first);
}

bool AlbumLoadingSource::isReady(int index) const
{
    return m_ahead.isReady(index - m_first);
}

void AlbumLoadingSource::whenReady(int index, std::function<void()> wake)
{
    m_ahead.whenReady(index - m_first, std::move(wake));
}

LoadingSource::Outcome AlbumLoadingSource::load(frmMain& w, int index)
{
    AlbumDocument& doc = w.document();
    const QString name = doc.entry(index).fileName;
    const QString path = m_pathOf(index);
    const std::optional<album::AlbumThumbnail> prepared = m_ahead.take(index - m_first);
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
