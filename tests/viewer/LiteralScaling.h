// The viewer's resampling written out as plain loops over a pixel array whose
// row 0 is the bottom row, one destination pixel and one half-pixel at a time.
// Slow and obvious on purpose: the tests hold the fast resamplers to it, and
// the benchmark measures against it.
#pragma once

#include <QImage>
#include <QSize>

#include <vector>

namespace quorbell::test {

// Pixel (x, y) at bytes 4 * (y * width + x): blue, green, red, reserved.
struct PixelArray
{
    int width = 0;
    int height = 0;
    std::vector<quint8> bytes;

    quint8* at(int x, int y) { return bytes.data() + 4 * (size_t(y) * width + x); }
    const quint8* at(int x, int y) const { return bytes.data() + 4 * (size_t(y) * width + x); }
};

// The image's pixels with its bottom line as row 0, and back.
PixelArray pixelArrayFrom(const QImage& image);
QImage imageFrom(const PixelArray& pixels);

// Area averaging over half-pixels, every destination pixel computed; source
// pixels beyond the photo read its last row or column.
PixelArray literalShrink(const PixelArray& src, int newW, int newH);
// Bilinear interpolation in single precision, neighbours beyond the photo
// clamped to its last row or column.
PixelArray literalEnlarge(const PixelArray& src, int newW, int newH);

QImage literalShrink(const QImage& photo, QSize newSize);
QImage literalEnlarge(const QImage& photo, QSize newSize);

} // namespace quorbell::test
