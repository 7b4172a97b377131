// Writing an album's photos to a folder as files: each photo's stored image
// bytes, unchanged, under a safe form of its stored name. All or nothing: the
// photos are staged in a private folder first and only moved to their names
// once every one is written; a failure or a stop takes away every file and
// folder made. quorbell-cli's album-extract and the program's photo export
// both run this.
#pragma once

#include "album/AlbumError.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quorbell::album {

class AlbumFileReader;

enum class PhotoExportError {
    None,
    NotAFolder,      // the target exists and is not a folder
    FolderNotMade,   // the target or a folder above it could not be made
    CannotWrite,     // a photo could not be written or moved into the folder
    AlbumUnreadable, // a photo's bytes could not be read (albumFailure says why)
    Stopped,         // the stop callback asked to stop
};

struct PhotoExportResult
{
    PhotoExportError error = PhotoExportError::None;
    AlbumFailure albumFailure; // AlbumUnreadable
    QString reason;            // CannotWrite: the system's words, when it gave any
    QStringList written;       // on success, the files made, in photo order

    bool ok() const { return error == PhotoExportError::None; }
};

// Asked before each step; true ends the export (nothing is left behind).
using ExportStop = std::function<bool()>;
// Photos done so far and the whole; called between steps.
using ExportProgress = std::function<void(int done, int total)>;

// Writes every photo of the open album (its password already checked) into
// `folder`, made when missing. Names already taken get "_2", "_3", ...
PhotoExportResult exportPhotos(AlbumFileReader& reader, const QString& folder,
                               const ExportStop& stop = {}, const ExportProgress& progress = {});

// A stored photo name made into one safe file name component: no path
// separators, no control characters, no "..", at most 255 bytes.
QString safePhotoFileName(const QString& stored);

} // namespace quorbell::album
