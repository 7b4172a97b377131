// Decodes the image bytes of one photo (BMP, JPEG or GIF) in memory. The pixel
// size comes from the image header; a JPEG is then decoded shrunk on load
// (JpegDecoder). Thread-agnostic: it touches no shared state.
#pragma once

#include "album/JpegDecoder.h"

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <functional>
#include <optional>

namespace quorbell::album {

enum class ImageKind { Unknown, Bmp, Jpeg, Gif };

// The kind of image the bytes hold, from their first bytes.
ImageKind sniffImageKind(QByteArrayView bytes);

// The pixel size from the image header alone; nothing when no decoder accepts it.
std::optional<QSize> readPixelSize(QByteArrayView bytes);

struct DecodedPhoto
{
    QImage image;   // Format_RGB32, at least the size asked for (or the full size when smaller)
    QSize fullSize; // the photo's own pixel size
    // No row missing and no corrupt-data warning from the JPEG decoder.
    bool clean = true;
};

// How a JPEG needed at 1/8 of its size is decoded: by libjpeg, as at every
// other scale; or from its blocks' DC coefficients alone on both cores
// (JpegEighthDecoder), faster for a process that has the machine to itself
// and decodes one photo. The two differ by a few levels in subsampled colour.
enum class EighthScale { Libjpeg, DcOnly };

// Decodes the bytes; `neededSize` maps the full pixel size (read from the
// header) to the smallest size the decoded picture may have. Transparent
// pixels are laid over white. Nothing when no decoder accepts the bytes.
std::optional<DecodedPhoto> decodePhoto(QByteArrayView bytes,
                                        const std::function<QSize(QSize)>& neededSize,
                                        EighthScale eighthScale = EighthScale::Libjpeg);

} // namespace quorbell::album
