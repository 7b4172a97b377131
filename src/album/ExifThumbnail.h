// The small JPEG that cameras and phones embed in a photo's EXIF data, as a
// picture that can stand for the photo: the same proportions, at least as
// large as the picture wanted, and decoded without a fault. Decoding 160 x
// 120 pixels instead of an eighth of a 12 MP photo makes a thumbnail many
// times cheaper. Qt Core alone; thread-agnostic.
#pragma once

#include "album/ExifReader.h"
#include "album/Rgb32Picture.h"

#include <QByteArrayView>
#include <QSize>

#include <optional>

namespace quorbell::album {

// Whether an embedded thumbnail of `thumb` pixels shows a photo of `photo`
// pixels without bars: its height within one pixel of the photo's
// proportions at its width, and its width likewise.
bool sameProportions(QSize thumb, QSize photo);

// The embedded thumbnail that `exif` found in `photoHead` (the first bytes of
// a JPEG photo of `stored` pixels), decoded as stored, when it can stand for
// the photo and is at least `fit` once turned upright; nothing otherwise.
std::optional<Rgb32Picture> decodeExifThumbnail(QByteArrayView photoHead, const ExifFacts& exif,
                                                QSize stored, QSize fit);

} // namespace quorbell::album
