// The viewer's own resampling of a photo to its screen size: area-average
// shrinking over half-pixels and bilinear enlarging.
//
// Both work on 32-bit pixels (blue, green, red, reserved bytes) and number the
// rows from the BOTTOM of the photo, so that the grid of destination pixels is
// anchored at the bottom-left corner. The result has the reserved byte 0.
// Source rows and columns beyond the photo, which the last destination rows
// and columns can reach, read the photo's last (top) row and last (right)
// column.
//
// Arithmetic, per destination pixel (row y counted from the bottom):
//  shrinking: s = float(newW) / float(W); h = s / 2. Half-pixel rows
//    ya = trunc(float(y) / h) to yb = trunc(float(y + 1) / h) - 1, the
//    divisions in float; half-pixel columns likewise; each half-pixel adds the
//    bytes of source pixel (xx / 2, yy / 2) to exact integer sums; a byte is
//    nearbyint(double(sum) / double(xb - xa + 1) / double(yb - ya + 1)), the
//    two divisions in double, in that order.
//  enlarging: r = float(W) / float(newW); sy = float(y) * r, y0 = trunc(sy),
//    fy = sy - y0, all in float; columns likewise; a byte is
//    nearbyint((P(x0,y1)*fy + P(x0,y0)*(1-fy))*(1-fx) + (P(x1,y1)*fy + P(x1,y0)*(1-fy))*fx)
//    with every operation rounded to float.
// Rounding is to nearest with halves to even.
#pragma once

#include <QImage>
#include <QSize>

namespace quorbell::viewer {

struct PhotoTarget;

// threads: how many threads may share the work; 0 takes the machine's count,
// 1 keeps it on the calling thread. Results do not depend on it.

// Area-average shrinking to newSize. Needs 1 <= new width < photo width and a
// new height of at least 1; gives a null image otherwise, when memory runs
// out, or when one destination pixel would cover so many source pixels that
// its sums no longer fit in 32 bits.
QImage shrinkPhoto(const QImage& photo, QSize newSize, int threads = 0);

// Bilinear enlarging to newSize (any size of at least 1 x 1). Null image when
// the photo is empty or memory runs out.
QImage enlargePhoto(const QImage& photo, QSize newSize, int threads = 0);

// The photo as opaque 32-bit pixels. Photos from albums come decoded with
// transparency already laid over white; any other picture with an alpha
// channel has its transparent parts laid over black.
QImage toOpaqueRgb32(const QImage& image);

// The photo as the target asks: resampled on the Shrink and Enlarge paths,
// as it is (made opaque 32-bit) on the AsIs path.
QImage resamplePhoto(const QImage& photo, const PhotoTarget& target, int threads = 0);

} // namespace quorbell::viewer
