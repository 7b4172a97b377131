#include "QuadrantJpeg.h"

#include "JpegVariants.h"

#include <vector>

namespace quorbell::tools {
namespace {

std::vector<uchar> rowOf(int width, QRgb left, QRgb right)
{
    std::vector<uchar> row(size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
        const QRgb c = x < width / 2 ? left : right;
        row[size_t(x) * 3] = uchar(qRed(c));
        row[size_t(x) * 3 + 1] = uchar(qGreen(c));
        row[size_t(x) * 3 + 2] = uchar(qBlue(c));
    }
    return row;
}

} // namespace

QByteArray makeQuadrantJpeg(QSize size, const Quadrants& colours, int quality)
{
    const std::vector<uchar> top = rowOf(size.width(), colours.topLeft, colours.topRight);
    const std::vector<uchar> bottom = rowOf(size.width(), colours.bottomLeft, colours.bottomRight);
    JpegCoding coding;
    coding.quality = quality;
    return encodeJpegRows(
        size, coding, [&](int y) { return y < size.height() / 2 ? top.data() : bottom.data(); });
}

} // namespace quorbell::tools
