// Photo-like pictures for test, benchmark and demo albums: soft gradients,
// a few blurred shapes and fine grain, so that JPEG compresses them about as
// it compresses a real photo. Encoded in memory as JPEG, BMP or GIF.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace quorbell::tools {

enum class PhotoFormat { Jpeg, Bmp, Gif };

// The same seed always paints the same picture.
QImage paintSamplePhoto(QSize size, quint32 seed);

// A landscape for the demo albums: sky, sun or moon, ranges of hills, water
// or fields and a few trees, in the light of a time of day chosen by the seed.
QImage paintScenePhoto(QSize size, quint32 seed);

// Four solid quarters in the colours below (top left, top right, bottom
// left, bottom right), so that any turn or mirroring of it shows.
QImage paintQuarters(QSize size);
inline constexpr QRgb kQuarterColours[4] = {0xFFDC2828, 0xFF28C83C, 0xFF283CDC, 0xFFE6DC28};

// Encodes a picture: JPEG at `quality`, BMP with 24 bits per pixel, GIF with
// the fixed palette.
QByteArray encodePhoto(const QImage& image, PhotoFormat format, int quality = 90);

// A JPEG of `upright` as a camera writes it: the pixels stored for
// `orientation` (0: no tag, stored as they are) and, first in the file, an
// EXIF segment with the tag and, when `thumbnailLongSide` is above 0, an
// embedded thumbnail of the stored pixels with that longer side, in the
// picture's proportions. Empty when the thumbnail is too large for EXIF.
QByteArray encodeCameraJpeg(const QImage& upright, int orientation, int thumbnailLongSide,
                            int quality = 90);

// paintSamplePhoto and encodePhoto in one.
QByteArray makeSamplePhoto(QSize size, quint32 seed, PhotoFormat format, int quality = 90);

} // namespace quorbell::tools
