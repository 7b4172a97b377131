#include "container/ContainerFromAlbums.h"

#include "album/AlbumThumbnail.h"
#include "core/BinaryIO.h"
#include "core/TextRules.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace quorbell::container {
namespace {

// One album read into its entry, as the grid's loading fills an entry.
void fillEntry(AlbumEntry& entry, AlbumSourceOutcome& outcome, const QString& path, int cellSize)
{
    album::AlbumThumbnail t = album::makeAlbumThumbnail(path, cellSize);
    outcome.failure = t.failure;
    outcome.fileExists = t.fileExists;
    outcome.hasPassword = t.hasPassword();
    if (t.fileExists) {
        // The document holds the size as a 32-bit value.
        entry.fileSize = qint32(std::min<qint64>(t.fileSize, std::numeric_limits<qint32>::max()));
        entry.fileDate = t.fileDate;
    }
    if (t.ok()) {
        entry.thumbSize = packPair(t.pixelSize.width(), t.pixelSize.height());
        entry.thumbnail = std::move(t.image);
    }
}

} // namespace

ContainerFromAlbums makeContainerFromAlbums(const QString& albumFolder,
                                            const QStringList& fileNames, int cellSize,
                                            const PasswordBytes& password, QThreadPool* pool)
{
    ContainerFromAlbums made;
    ContainerDocument& doc = made.document;
    doc.password = password;
    doc.cellSize = qint16(cellSize);
    doc.albumFolder = withTrailingSlash(albumFolder);

    const qsizetype n = fileNames.size();
    doc.albums.resize(n);
    made.outcomes.resize(n);
    for (qsizetype i = 0; i < n; ++i) {
        doc.albums[i].fileName = fileNames.at(i);
        doc.albums[i].comment = initialComment(fileNames.at(i));
    }

    // Each worker writes only its own entry; the lists are not resized while
    // they run, so the element pointers stay valid.
    AlbumEntry* entries = doc.albums.data();
    AlbumSourceOutcome* outcomes = made.outcomes.data();
    const QString folder = *doc.albumFolder;
    std::vector<qsizetype> indices(static_cast<size_t>(n));
    std::iota(indices.begin(), indices.end(), qsizetype(0));
    QtConcurrent::blockingMap(
        pool ? pool : QThreadPool::globalInstance(), indices, [&](qsizetype i) {
            // A hidden entry's file is named without the mark.
            const QString path = folder + withoutHiddenMark(entries[i].fileName);
            fillEntry(entries[i], outcomes[i], path, cellSize);
        });
    return made;
}

} // namespace quorbell::container
