// Photos the right way up. Cameras and phones store a JPEG as the sensor saw
// it and say in the EXIF orientation tag how it must be turned; every place
// where a photo becomes pixels decodes it through here, and this is the one
// place that turns it (the image readers are told not to). BMP and GIF photos
// and JPEGs without the tag come out exactly as decoded.
#pragma once

#include "album/ExifReader.h"
#include "album/PhotoDecoder.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

namespace quorbell::album {

// The orientation of the photo in `bytes`: its EXIF tag for a JPEG, else 1.
int photoOrientation(QByteArrayView bytes);

// The stored picture turned upright as `orientation` (1 to 8) says; the
// picture itself for 1 or any other value. Null when memory runs out.
QImage applyOrientation(QImage stored, int orientation);

// decodePhoto, turned upright: `neededSize` receives and returns upright
// sizes, and the result's picture and full size are upright.
std::optional<DecodedPhoto> decodeUprightPhoto(QByteArrayView bytes,
                                               const std::function<QSize(QSize)>& neededSize,
                                               EighthScale eighthScale = EighthScale::Libjpeg);

// readPixelSize, upright.
std::optional<QSize> readUprightPixelSize(QByteArrayView bytes);

} // namespace quorbell::album
