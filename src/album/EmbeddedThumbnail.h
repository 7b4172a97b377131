// An album's thumbnail from the small JPEG that cameras and phones embed in
// a photo's EXIF data, when that picture can stand for the photo: the same
// proportions, at least as large as the picture the cell shows, and decoded
// without a fault. Decoding 160 x 120 pixels instead of an eighth of a 12 MP
// photo makes an album's thumbnail many times cheaper. Thread-agnostic.
#pragma once

#include "album/ExifThumbnail.h"

#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <optional>

namespace quorbell::album {

struct CellPicture
{
    QSize pixelSize; // the photo's own upright size, as recorded (recordedPixelSize)
    QImage image;    // fitted to the cell, upright, Format_RGB32
};

// The cell's picture from the thumbnail embedded in `photoHead`, the first
// bytes of a JPEG photo (kExifHeadBytes hold the EXIF segment whenever the
// camera wrote it first). Nothing when there is no thumbnail fit for a cell
// of `cellSize`: the photo itself is to be decoded then.
std::optional<CellPicture> cellPictureFromExif(QByteArrayView photoHead, int cellSize);

} // namespace quorbell::album
