// Decodes the image bytes of one photo (BMP, JPEG or GIF) in memory. The pixel
// size comes from the image header; a JPEG is then decoded shrunk on load
// (JpegDecoder). Thread-agnostic: it touches no shared state.
#pragma once

#include "album/ImageKind.h"
#include "album/JpegDecoder.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

namespace quorbell::album {

// The pixel size from the image header alone; nothing when no decoder accepts it.
std::optional<QSize> readPixelSize(QByteArrayView bytes);

struct DecodedPhoto
{
    QImage image;   // Format_RGB32, at least the size asked for (or the full size when smaller)
    QSize fullSize; // the photo's own pixel size
    // No row missing and no corrupt-data warning from the JPEG decoder.
    bool clean = true;
};

// The decoded pixels as a picture (Format_RGB32), taken over without a copy.
QImage imageOf(Rgb32Picture&& picture);

// Decodes the bytes; `neededSize` maps the full pixel size (read from the
// header) to the smallest size the decoded picture may have. Transparent
// pixels are laid over white. Nothing when no decoder accepts the bytes.
// `eighthScale` as decodeJpeg.
std::optional<DecodedPhoto> decodePhoto(QByteArrayView bytes,
                                        const std::function<QSize(QSize)>& neededSize,
                                        EighthScale eighthScale = EighthScale::Libjpeg);

} // namespace quorbell::album
