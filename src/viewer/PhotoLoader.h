// Getting one photo of an album ready for the screen: its bytes out of the
// album file and decoded by the album library, placed and resampled.
// Thread-agnostic: the viewer runs preparePhoto() on a worker to have the next
// photo ready, and tests and tools call it directly. Nothing here touches the
// shared state or any widget.
#pragma once

#include "album/AlbumTable.h"
#include "viewer/PhotoTarget.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace quorbell::viewer {

enum class PhotoError {
    None,
    FileMissing,   // no regular file at the album path
    Unreadable,    // the file cannot be opened or gave fewer bytes than it holds
    OutsideFile,   // the photo's position and length do not lie inside the file
    NotAnImage,    // the bytes do not decode as a BMP, JPEG or GIF picture
    ResampleFailed // out of memory, or proportions whose sums would not fit
};

struct PhotoRequest
{
    QString albumPath;
    album::AlbumPhoto photo; // its position and length say where the image bytes lie
    QSize screen;            // pixels
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

// The same from bytes already in memory. The photo is decoded at full size:
// the resamplers need every pixel. A photo whose full decode would take more
// than album::kMaxDecodedBytes is the exception: a JPEG is decoded at the
// smallest of 1/2, 1/4 and 1/8 that still covers its target size (or, shown
// at its own size, the largest within the limit) and scaled from that; the
// image then holds only the part of the target the screen shows. Any other
// such photo is NotAnImage.
PreparedPhoto preparePhotoFromBytes(const QByteArray& bytes, QSize screen, SizingChoice sizing,
                                    int threads = 0);

} // namespace quorbell::viewer
