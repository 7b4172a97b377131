// JPEG decoding through libjpeg into plain pixels, shrunk on load: the pixel
// size comes from the header, then the photo is decoded at the smallest of
// libjpeg's 1/2, 1/4 and 1/8 scales that is not below the size the caller
// needs, so a thumbnail of a 24-megapixel photo never decodes every pixel.
// Needs Qt Core alone; thread-agnostic.
#pragma once

#include "album/Rgb32Picture.h"

#include <QByteArrayView>
#include <QSize>

#include <functional>
#include <optional>

namespace quorbell::album {

// Decoded pictures larger than this many bytes are refused rather than allocated.
inline constexpr qint64 kMaxDecodedBytes = 256 * 1024 * 1024;

// The pixel size from a JPEG's frame header; nothing when libjpeg refuses it.
std::optional<QSize> jpegHeaderSize(QByteArrayView bytes);

// The JPEG scale denominator (1, 2, 4 or 8) for a photo of `full` pixels: the
// largest whose output, each side rounded up, is not below `needed`.
int jpegScaleDenominator(QSize full, QSize needed);

struct JpegPicture
{
    Rgb32Picture picture; // at least the size asked for (or the full size when smaller)
    QSize fullSize;       // the photo's own pixel size
    bool clean = true;    // no row missing and no corrupt-data warning
};

// How a JPEG needed at 1/8 of its size is decoded: by libjpeg, as at every
// other scale; or from its blocks' DC coefficients alone on both cores
// (JpegEighthDecoder), faster for a process that has the machine to itself
// and decodes one photo. The two differ by a few levels in subsampled colour.
enum class EighthScale { Libjpeg, DcOnly };

enum class JpegOutcome {
    Decoded,
    Failed,
    NotHandled, // four-channel (CMYK) JPEGs: libjpeg does not invert them
};

// Decodes the JPEG; `neededSize` maps the full pixel size to the smallest
// size the picture may have.
JpegOutcome decodeJpeg(QByteArrayView bytes, const std::function<QSize(QSize)>& neededSize,
                       JpegPicture& out, EighthScale eighthScale = EighthScale::Libjpeg);

} // namespace quorbell::album
