// The document that choosing album files for a new grid and saving it under a
// new name gives, made without a window: one entry per album file in the
// order given, its comment the file name up to the first ".", its thumbnail
// made from the first photo for the cell size, the file's size and date, and
// the album folder. quorbell-cli's container-make, the demo and the
// benchmarks build containers with it.
#pragma once

#include "album/AlbumError.h"
#include "container/ContainerDocument.h"

#include <QList>
#include <QString>
#include <QStringList>

class QThreadPool;

namespace quorbell::container {

// What became of one album file.
struct AlbumSourceOutcome
{
    album::AlbumFailure failure; // error None when the thumbnail was made
    bool fileExists = false;     // a regular file was found: its size and date are in the entry
    bool hasPassword = false;    // the album is protected (its thumbnail needs no password)
};

struct ContainerFromAlbums
{
    ContainerDocument document;
    QList<AlbumSourceOutcome> outcomes; // one per entry, in the same order
};

// The entries for the album files `fileNames` (names only, no folder) in
// `albumFolder`, with thumbnails for `cellSize` (one of the grid's cell sizes)
// and the stored password form `password` (kNoPassword for none). An album
// that cannot be read gets an entry without a thumbnail and a size word of
// 0, as the grid gives it; its size and date are kept when the file exists.
// A name with a leading "*" makes a hidden entry: its file is the name
// without the mark, and so is its comment.
// The albums are read on `pool` (the global pool when none is given); the
// result does not depend on the order the workers finish in.
ContainerFromAlbums makeContainerFromAlbums(const QString& albumFolder,
                                            const QStringList& fileNames, int cellSize,
                                            const PasswordBytes& password = kNoPassword,
                                            QThreadPool* pool = nullptr);

} // namespace quorbell::container
