// The decoded photo as the thumbnail shows it: turned upright as its EXIF
// orientation says, then shrunk to the fitted size, each thumbnail pixel the
// mean of the area it covers. On plain pixels, with Qt Core alone.
#pragma once

#include "album/Rgb32Picture.h"

#include <QSize>

namespace quorbell::thumbnailer {

// The stored picture turned upright as `orientation` (1 to 8) says; as it is
// for 1 or any other value.
album::Rgb32Picture turnedUpright(album::Rgb32Picture stored, int orientation);

// The picture at `size` (each side at least 1 and not above the picture's):
// each pixel the mean of the area of the picture it covers, pixels partly
// covered counting in part.
album::Rgb32Picture shrunkTo(album::Rgb32Picture picture, QSize size);

} // namespace quorbell::thumbnailer
