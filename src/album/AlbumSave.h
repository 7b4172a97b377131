// Saving an album file: its bytes built by the writer and put in place
// through a temporary file renamed over the old one, so a failure at any
// point leaves the old file as it was. quorbell-cli and the album editor both
// save through here, so the same contents give the same file.
#pragma once

#include "album/AlbumWriter.h"

#include <QString>

#include <functional>

namespace quorbell::album {

struct AlbumSaveResult
{
    AlbumWriteProblem problem; // the contents cannot be stored
    bool targetIsFolder = false;
    QString writeFailure; // the system's reason when the file could not be written

    bool ok() const
    {
        return problem.error == AlbumWriteError::None && !targetIsFolder && writeFailure.isEmpty();
    }
};

// Bytes written so far and the whole; called on the saving thread.
using SaveProgress = std::function<void(qint64 written, qint64 total)>;

// Safe to run on a worker thread: it touches no shared state.
AlbumSaveResult saveAlbumFile(const QString& path, const AlbumContents& contents,
                              const SaveProgress& progress = {});

} // namespace quorbell::album
