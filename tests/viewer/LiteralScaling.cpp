// Plain-loop resampling, one destination pixel at a time (see the header).
#include "LiteralScaling.h"

#include <algorithm>
#include <cmath>

namespace quorbell::test {

PixelArray pixelArrayFrom(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PixelArray p;
    p.width = rgb.width();
    p.height = rgb.height();
    p.bytes.resize(size_t(p.width) * p.height * 4);
    for (int y = 0; y < p.height; ++y) {
        const uchar* line = rgb.constScanLine(p.height - 1 - y);
        std::copy(line, line + 4 * p.width, p.at(0, y));
    }
    return p;
}

QImage imageFrom(const PixelArray& p)
{
    QImage image(p.width, p.height, QImage::Format_RGB32);
    for (int y = 0; y < p.height; ++y) {
        const quint8* row = p.at(0, y);
        std::copy(row, row + 4 * p.width, image.scanLine(p.height - 1 - y));
    }
    return image;
}

PixelArray literalShrink(const PixelArray& src, int newW, int newH)
{
    const int W = src.width;
    const int H = src.height;
    PixelArray dst;
    dst.width = newW;
    dst.height = newH;
    dst.bytes.assign(size_t(newW) * newH * 4, 0);
    const float s = float(newW) / float(W);
    const float h = s / 2;
    for (int y = 0; y < newH; ++y) {
        for (int x = 0; x < newW; ++x) {
            const qint64 ya = qint64(float(y) / h);
            const qint64 yb = qint64(float(y + 1) / h) - 1;
            const qint64 xa = qint64(float(x) / h);
            const qint64 xb = qint64(float(x + 1) / h) - 1;
            quint32 sum[3] = {0, 0, 0}; // blue, green, red
            for (qint64 yy = ya; yy <= yb; ++yy) {
                for (qint64 xx = xa; xx <= xb; ++xx) {
                    const quint8* p = src.at(int(std::min<qint64>(xx / 2, W - 1)),
                                             int(std::min<qint64>(yy / 2, H - 1)));
                    sum[0] += p[0];
                    sum[1] += p[1];
                    sum[2] += p[2];
                }
            }
            quint8* d = dst.at(x, y);
            for (int k = 0; k < 3; ++k)
                d[k] = quint8(
                    std::nearbyint(double(sum[k]) / double(xb - xa + 1) / double(yb - ya + 1)));
        }
    }
    return dst;
}

PixelArray literalEnlarge(const PixelArray& src, int newW, int newH)
{
    const int W = src.width;
    const int H = src.height;
    PixelArray dst;
    dst.width = newW;
    dst.height = newH;
    dst.bytes.assign(size_t(newW) * newH * 4, 0);
    const float r = float(W) / float(newW);
    for (int y = 0; y < newH; ++y) {
        const float sy = float(y) * r;
        const qint64 y0 = qint64(sy);
        const qint64 y1 = y0 + 1;
        const float fy = sy - float(y0);
        const int y0c = int(std::min<qint64>(y0, H - 1));
        const int y1c = int(std::min<qint64>(y1, H - 1));
        for (int x = 0; x < newW; ++x) {
            const float sx = float(x) * r;
            const qint64 x0 = qint64(sx);
            const qint64 x1 = x0 + 1;
            const float fx = sx - float(x0);
            const int x0c = int(std::min<qint64>(x0, W - 1));
            const int x1c = int(std::min<qint64>(x1, W - 1));
            for (int k = 2; k >= 0; --k) { // red, green, blue
                const float p00 = src.at(x0c, y0c)[k];
                const float p01 = src.at(x0c, y1c)[k];
                const float p10 = src.at(x1c, y0c)[k];
                const float p11 = src.at(x1c, y1c)[k];
                const float value =
                    (p01 * fy + p00 * (1 - fy)) * (1 - fx) + (p11 * fy + p10 * (1 - fy)) * fx;
                dst.at(x, y)[k] = quint8(std::nearbyint(value));
            }
        }
    }
    return dst;
}

QImage literalShrink(const QImage& photo, QSize newSize)
{
    return imageFrom(literalShrink(pixelArrayFrom(photo), newSize.width(), newSize.height()));
}

QImage literalEnlarge(const QImage& photo, QSize newSize)
{
    return imageFrom(literalEnlarge(pixelArrayFrom(photo), newSize.width(), newSize.height()));
}

} // namespace quorbell::test
