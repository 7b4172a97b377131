// Reading an album file into a grid entry: the header check and its message,
// the password prompt, the file's size and date, the thumbnail size word and
// the thumbnail itself. Runs on the UI thread; the decoding can be done ahead
// on a worker with makeAlbumThumbnail and handed in, so the messages and the
// prompt still come in album order.
#pragma once

#include "album/AlbumThumbnail.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace quorbell {

class AlbumDocument;

// The picture an album read leaves for MakeThumbnail, and the size of the
// photo it was made from.
struct LoadedPicture
{
    QImage picture;
    QSize size;
};

enum class AlbumReadOutcome {
    Read,          // the entry has its size, date, size word and (after MakeThumbnail) thumbnail
    Unreadable,    // the file is missing or broken past the header: the entry gets no
                   // thumbnail, its size and date are noted when the file exists; go on
    HeaderRefused, // not an album file: the message was shown; loading stops
    Cancelled,     // the password prompt was cancelled: mode 0 and the message; loading stops
};

// Reads the album at `path` for entry `index`; `name` is the album file name
// the password prompt shows. `prepared` is a thumbnail made ahead for this
// path (used when it was made for the current cell size; otherwise the album
// is read here). Read and Unreadable let the loading loop go on.
// On Read the fitted picture is the current picture, with the photo's size;
// on Unreadable the current picture is empty.
AlbumReadOutcome ReadAlbumFile(AlbumDocument& doc, LoadedPicture& current, qint16 index,
                               const QString& path, const QString& name,
                               const album::AlbumThumbnail* prepared = nullptr);

// Stores the current picture, fitted to the cell from the photo's size, as the thumbnail of entry
// `index`; an empty current picture gives the entry no thumbnail.
void MakeThumbnail(AlbumDocument& doc, const LoadedPicture& current, qint16 index);

} // namespace quorbell
