// Makes an album's thumbnail from its first photo: reads the tables, reads
// the first photo's bytes from their position, decodes them shrunk on load,
// turns the picture upright and scales it smoothly into the cell; or, when the
// photo embeds a camera thumbnail fit for the cell, uses that instead. One
// plain function that the command line, the tests and the loading loop's
// worker threads all call; it touches no shared state.
#pragma once

#include "album/AlbumError.h"
#include "album/PhotoDecoder.h"
#include "core/CellFit.h"
#include "core/DateVariant.h"
#include "core/PasswordForm.h"
#include "core/ThumbnailFormat.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace quorbell::album {

// The fitted picture of a decoded photo: smooth-scaled to fitToCell of its
// recorded size (each side at least 1 pixel), in the thumbnail format.
QImage fitPictureToCell(const QImage& picture, QSize recordedSize, int cellSize);

struct AlbumThumbnail
{
    QString path;
    int cellSize = 0;
    AlbumFailure failure;     // error None when the thumbnail was made
    bool fileExists = false;  // a regular file was found: size and date are valid
    qint64 fileSize = 0;      // bytes
    DateVariant fileDate;     // last-modified local date-time, whole seconds
    bool tableRead = false;   // the header and tables were read: the password is valid
    PasswordBytes password{}; // the stored form from the file
    QSize pixelSize;          // the first photo's upright size as recorded (recordedPixelSize)
    QImage image;             // upright, fitted to the cell, in the thumbnail format

    bool ok() const { return failure.error == AlbumError::None; }
    bool hasPassword() const { return tableRead && quorbell::hasPassword(password); }
};

// How the first photo's bytes are taken from the file: read into memory, or
// mapped (AlbumFileReader::mapPhotoBytes: only for a one-shot process that
// may die of SIGBUS when the file shrinks meanwhile).
enum class PhotoAccess { Read, Map };

// Everything about the album at `path` the grid needs, for a cell of
// `cellSize`. Never throws; the reason for a failure is in `failure`, and the
// file's size and date are filled whenever the file exists. The result does
// not depend on `access`; `eighthScale` as decodePhoto.
AlbumThumbnail makeAlbumThumbnail(const QString& path, int cellSize,
                                  PhotoAccess access = PhotoAccess::Read,
                                  EighthScale eighthScale = EighthScale::Libjpeg);

} // namespace quorbell::album
