#include "SamplePhotos.h"

#include "ExifWriter.h"
#include "GifEncoder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorbell::tools {
namespace {

class XorShift
{
public:
    explicit XorShift(quint32 seed) : m_s(seed ? seed : 0x9E3779B9u) {}
    quint32 next()
    {
        m_s ^= m_s << 13;
        m_s ^= m_s >> 17;
        m_s ^= m_s << 5;
        return m_s;
    }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }

private:
    quint32 m_s;
};

int clamp255(int v)
{
    return v < 0 ? 0 : v > 255 ? 255 : v;
}

// A smooth wave along one axis: two sines with random frequency and phase.
std::vector<int> wave(int n, XorShift& rng, int amplitude)
{
    const double f1 = 1.0 + rng.unit() * 3.0, f2 = 4.0 + rng.unit() * 9.0;
    const double p1 = rng.unit() * 6.283, p2 = rng.unit() * 6.283;
    std::vector<int> out(size_t(std::max(n, 1)));
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / std::max(n, 1) * 6.283;
        out[size_t(i)] =
            int(amplitude * (0.7 * std::sin(f1 * t + p1) + 0.3 * std::sin(f2 * t + p2)));
    }
    return out;
}

} // namespace

QImage paintSamplePhoto(QSize size, quint32 seed)
{
    QImage img(size, QImage::Format_RGB32);
    if (img.isNull())
        return img;
    XorShift rng(seed * 2654435761u + 1);
    const int w = size.width(), h = size.height();
    // A sky-to-ground gradient between two colours, waves along each axis per
    // channel, and a few soft discs standing for objects.
    const int top[3] = {int(rng.next() % 160) + 80, int(rng.next() % 160) + 80,
                        int(rng.next() % 160) + 90};
    const int bottom[3] = {int(rng.next() % 120) + 20, int(rng.next() % 120) + 30,
                           int(rng.next() % 100) + 10};
    std::vector<int> colWave[3], rowWave[3];
    for (int c = 0; c < 3; ++c) {
        colWave[c] = wave(w, rng, 30);
        rowWave[c] = wave(h, rng, 25);
    }
    struct Disc
    {
        double x, y, r;
        int colour[3];
    };
    std::vector<Disc> discs(5);
    for (Disc& d : discs) {
        d.x = rng.unit() * w;
        d.y = rng.unit() * h;
        d.r = (0.05 + rng.unit() * 0.2) * std::min(w, h) + 1;
        for (int& c : d.colour)
            c = int(rng.next() % 256);
    }
    // Texture: random values on a grid of 4-pixel cells, interpolated, strong
    // in the lower part (ground, foliage) and faint in the upper (sky).
    constexpr int kCellPx = 4;
    const int gw = w / kCellPx + 2, gh = h / kCellPx + 2;
    std::vector<int> grid(size_t(gw) * size_t(gh));
    for (int& v : grid)
        v = int(rng.next() % 121) - 60;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const int wy = h > 1 ? y * 256 / (h - 1) : 0;
        int base[3];
        for (int c = 0; c < 3; ++c)
            base[c] = (top[c] * (256 - wy) + bottom[c] * wy) / 256 + rowWave[c][size_t(y)];
        const int* g0 = grid.data() + size_t(y / kCellPx) * size_t(gw);
        const int* g1 = g0 + gw;
        const int fy = y % kCellPx;
        const int strength = 64 + wy * 3 / 4; // of 256
        for (int x = 0; x < w; ++x) {
            const int cx = x / kCellPx, fx = x % kCellPx;
            const int top2 = g0[cx] * (kCellPx - fx) + g0[cx + 1] * fx;
            const int bottom2 = g1[cx] * (kCellPx - fx) + g1[cx + 1] * fx;
            const int texture =
                (top2 * (kCellPx - fy) + bottom2 * fy) / (kCellPx * kCellPx) * strength / 256;
            const quint32 grain = rng.next(); // sensor noise, a little per channel
            const int t = texture + int(grain & 15) - 8;
            line[x] = qRgb(clamp255(base[0] + colWave[0][size_t(x)] + t + int((grain >> 8) & 3)),
                           clamp255(base[1] + colWave[1][size_t(x)] + t + int((grain >> 10) & 3)),
                           clamp255(base[2] + colWave[2][size_t(x)] + t + int((grain >> 12) & 3)));
        }
        for (const Disc& d : discs) {
            const double dy = y - d.y;
            if (std::fabs(dy) >= d.r)
                continue;
            const double half = std::sqrt(d.r * d.r - dy * dy);
            const int x0 = std::max(0, int(d.x - half)), x1 = std::min(w, int(d.x + half));
            for (int x = x0; x < x1; ++x) {
                const double dist = std::hypot(x - d.x, dy) / d.r; // 0 at the centre, 1 at the edge
                const int a = int(200 * (1.0 - dist * dist));
                const QRgb p = line[x];
                line[x] = qRgb((qRed(p) * (256 - a) + d.colour[0] * a) / 256,
                               (qGreen(p) * (256 - a) + d.colour[1] * a) / 256,
                               (qBlue(p) * (256 - a) + d.colour[2] * a) / 256);
            }
        }
    }
    return img;
}

QImage paintScenePhoto(QSize size, quint32 seed)
{
    QImage img(size, QImage::Format_RGB32);
    if (img.isNull())
        return img;
    XorShift rng(seed * 2246822519u + 7);
    const auto unit = [&rng] { return (rng.next() % 10000) / 10000.0; };
    const int w = size.width(), h = size.height();

    // Morning, noon, evening or night skies, each with its own light.
    struct Light
    {
        QColor skyTop, skyLow, sun, hillFar, hillNear, ground;
    };
    static const Light lights[] = {
        {QColor(92, 150, 220), QColor(200, 226, 245), QColor(255, 250, 220), QColor(110, 140, 170),
         QColor(70, 120, 80), QColor(96, 150, 70)},
        {QColor(40, 90, 170), QColor(150, 200, 240), QColor(255, 255, 235), QColor(90, 130, 160),
         QColor(50, 110, 60), QColor(80, 140, 60)},
        {QColor(60, 50, 110), QColor(250, 160, 90), QColor(255, 210, 120), QColor(120, 80, 110),
         QColor(70, 50, 70), QColor(90, 70, 60)},
        {QColor(10, 15, 45), QColor(40, 60, 110), QColor(240, 240, 220), QColor(30, 40, 70),
         QColor(20, 30, 40), QColor(25, 35, 45)},
    };
    const Light& l = lights[rng.next() % 4];

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = h * (0.45 + 0.15 * unit());
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, l.skyTop);
    sky.setColorAt(1, l.skyLow);
    p.fillRect(QRectF(0, 0, w, horizon + 2), sky);

    p.setPen(Qt::NoPen);
    p.setBrush(l.sun);
    const double r = h * (0.04 + 0.04 * unit());
    p.drawEllipse(QPointF(w * (0.15 + 0.7 * unit()), horizon * (0.2 + 0.4 * unit())), r, r);

    // Two ranges of hills, the far one paler.
    for (int range = 0; range < 2; ++range) {
        QPainterPath hills;
        const double base = horizon + range * h * 0.06;
        hills.moveTo(0, h);
        hills.lineTo(0, base - h * 0.1 * unit());
        const int peaks = 3 + int(rng.next() % 4);
        for (int k = 1; k <= peaks; ++k) {
            const double x = w * k / double(peaks);
            const double top = base - h * (0.08 + 0.18 * unit()) / (range + 1);
            hills.quadTo(x - w / (2.0 * peaks), top, x, base - h * 0.05 * unit());
        }
        hills.lineTo(w, h);
        hills.closeSubpath();
        p.setBrush(range == 0 ? l.hillFar : l.hillNear);
        p.drawPath(hills);
    }

    // Water or a field in front.
    const double front = horizon + h * 0.12;
    const bool water = rng.next() % 2 == 0;
    QLinearGradient ground(0, front, 0, h);
    ground.setColorAt(0, water ? l.skyLow.darker(115) : l.ground);
    ground.setColorAt(1, water ? l.skyTop.darker(140) : l.ground.darker(150));
    p.fillRect(QRectF(0, front, w, h - front), ground);

    // A few trees on the near bank.
    const int trees = 2 + int(rng.next() % 5);
    for (int k = 0; k < trees; ++k) {
        const double x = w * unit();
        const double th = h * (0.12 + 0.12 * unit());
        p.setBrush(QColor(80, 55, 35));
        p.drawRect(QRectF(x - th * 0.03, front - th * 0.3, th * 0.06, th * 0.35));
        p.setBrush(l.hillNear.darker(130));
        p.drawEllipse(QPointF(x, front - th * 0.5), th * 0.22, th * 0.3);
    }
    p.end();

    // A little grain, as a camera gives.
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = int(rng.next() % 9) - 4;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n, 255));
        }
    }
    return img;
}

QImage paintQuarters(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    const int w = size.width(), h = size.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = kQuarterColours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)];
    }
    return img;
}

QByteArray encodePhoto(const QImage& image, PhotoFormat format, int quality)
{
    if (format == PhotoFormat::Gif)
        return encodeGif(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format == PhotoFormat::Jpeg ? "jpeg" : "bmp");
    if (format == PhotoFormat::Jpeg)
        writer.setQuality(quality);
    const QImage rgb = image.convertToFormat(format == PhotoFormat::Bmp ? QImage::Format_RGB888
                                                                        : QImage::Format_RGB32);
    if (!writer.write(rgb))
        return {};
    return bytes;
}

QByteArray encodeCameraJpeg(const QImage& upright, int orientation, int thumbnailLongSide,
                            int quality)
{
    const QImage stored = storedForOrientation(upright, orientation);
    ExifSpec exif;
    exif.orientation = orientation;
    if (thumbnailLongSide > 0 && !stored.isNull()) {
        const qint64 w = stored.width(), h = stored.height(), l = thumbnailLongSide;
        const QSize size = w >= h ? QSize(int(l), int(std::max<qint64>(1, (h * l + w / 2) / w)))
                                  : QSize(int(std::max<qint64>(1, (w * l + h / 2) / h)), int(l));
        exif.thumbnail =
            encodePhoto(stored.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                        PhotoFormat::Jpeg, 80);
    }
    const ExifSegment segment = buildExifSegment(exif);
    if (segment.bytes.isEmpty())
        return {};
    return insertAfterSoi(encodePhoto(stored, PhotoFormat::Jpeg, quality), segment.bytes);
}

QByteArray makeSamplePhoto(QSize size, quint32 seed, PhotoFormat format, int quality)
{
    return encodePhoto(paintSamplePhoto(size, seed), format, quality);
}

} // namespace quorbell::tools
