// Getting one photo of an album ready for the screen: its bytes out of the
// album file, decoded, placed and resampled. Thread-agnostic: the viewer runs
// preparePhoto() on a worker to have the next photo ready, and tests and tools
// call it directly. Nothing here touches the shared state or any widget.
#pragma once

#include "viewer/PhotoTarget.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace quorbell::viewer {

enum class PhotoError {
    None,
    FileMissing,   // no file at the album path
    OpenFailed,    // the file exists but cannot be opened for reading
    OutsideFile,   // the photo's position and length do not lie inside the file
    ReadFailed,    // the file gave fewer bytes than it holds
    NotAnImage,    // the bytes do not decode as a BMP, JPEG or GIF picture
    ResampleFailed // out of memory, or proportions whose sums would not fit
};

struct PhotoBytes
{
    QByteArray bytes;
    PhotoError error = PhotoError::None;
};

// The length bytes at the 1-based position of the file. The range is checked
// against the file's real size before anything is allocated or read.
PhotoBytes readPhotoBytes(const QString& albumPath, qint64 position, qint64 length);

struct DecodedPhoto
{
    QImage image; // opaque 32-bit pixels at the picture's real size
    PhotoError error = PhotoError::None;
};

// Decodes at full size (the resamplers need every pixel), without applying
// any orientation tag.
DecodedPhoto decodePhoto(const QByteArray& bytes);

struct PhotoRequest
{
    QString albumPath;
    qint64 position = 0; // 1-based byte position of the photo in the album file
    qint64 length = 0;   // bytes
    QSize screen;        // pixels
    SizingChoice sizing = SizingChoice::Unchanged;
    int threads = 0; // for the resampling; 0: the machine's count
};

struct PreparedPhoto
{
    PhotoError error = PhotoError::None;
    QImage image;       // ready to be drawn at target.offset(); null on error
    PhotoTarget target; // from the decoded photo's real size
    QSize photoSize;    // the decoded photo's size

    bool ok() const { return error == PhotoError::None; }
};

PreparedPhoto preparePhoto(const PhotoRequest& request);

// The same from bytes already in memory.
PreparedPhoto preparePhotoFromBytes(const QByteArray& bytes, QSize screen, SizingChoice sizing,
                                    int threads = 0);

} // namespace quorbell::viewer
