#include "thumbnailer/UprightPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorbell::thumbnailer {
namespace {

bool turnsByAQuarter(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// The source pixels one pixel of the shrunk side covers, each with the part
// of the pixel's area it takes (the parts add up to 1).
struct Span
{
    int first = 0;
    std::vector<float> weights;
};

// The spans of `count` pixels over a side of `length` (count <= length).
std::vector<Span> spansOf(int count, int length)
{
    std::vector<Span> spans(static_cast<std::size_t>(count));
    const double scale = double(length) / count;
    for (int i = 0; i < count; ++i) {
        const double from = i * scale;
        const double to = std::min(double(length), (i + 1) * scale);
        Span& span = spans[std::size_t(i)];
        span.first = int(from);
        for (int p = span.first; p < to; ++p) {
            const double covered = std::min(to, p + 1.0) - std::max(from, double(p));
            span.weights.push_back(float(covered / scale));
        }
    }
    return spans;
}

// One row shrunk along its width, three channels a pixel.
void averageRow(const quint32* row, const std::vector<Span>& columns, std::vector<float>& out)
{
    for (std::size_t x = 0; x < columns.size(); ++x) {
        float r = 0;
        float g = 0;
        float b = 0;
        const Span& span = columns[x];
        for (std::size_t i = 0; i < span.weights.size(); ++i) {
            const quint32 p = row[span.first + int(i)];
            const float w = span.weights[i];
            r += w * float((p >> 16) & 0xFF);
            g += w * float((p >> 8) & 0xFF);
            b += w * float(p & 0xFF);
        }
        out[3 * x] = r;
        out[3 * x + 1] = g;
        out[3 * x + 2] = b;
    }
}

} // namespace

QSize uprightSize(QSize stored, int orientation)
{
    return turnsByAQuarter(orientation) ? stored.transposed() : stored;
}

album::Rgb32Picture turnedUpright(album::Rgb32Picture stored, int orientation)
{
    if (orientation < 2 || orientation > 8)
        return stored;
    const int w = stored.width;
    const int h = stored.height;
    const QSize size = uprightSize(QSize(w, h), orientation);
    album::Rgb32Picture upright(size.width(), size.height());
    // The stored pixel each upright pixel (x, y) shows: 2 mirrors, 3 turns by
    // half, 4 flips, 5 transposes, 6 turns a quarter clockwise, 7 transposes
    // across the other diagonal, 8 turns a quarter anticlockwise.
    for (int y = 0; y < size.height(); ++y) {
        quint32* line = upright.row(y);
        for (int x = 0; x < size.width(); ++x) {
            int sx = x;
            int sy = y;
            switch (orientation) {
            case 2:
                sx = w - 1 - x;
                break;
            case 3:
                sx = w - 1 - x, sy = h - 1 - y;
                break;
            case 4:
                sy = h - 1 - y;
                break;
            case 5:
                sx = y, sy = x;
                break;
            case 6:
                sx = y, sy = h - 1 - x;
                break;
            case 7:
                sx = w - 1 - y, sy = h - 1 - x;
                break;
            case 8:
                sx = w - 1 - y, sy = x;
                break;
            default:
                break;
            }
            line[x] = stored.row(sy)[sx];
        }
    }
    return upright;
}

album::Rgb32Picture shrunkTo(album::Rgb32Picture picture, QSize size)
{
    if (size == QSize(picture.width, picture.height))
        return picture;
    const std::vector<Span> columns = spansOf(size.width(), picture.width);
    const std::vector<Span> rows = spansOf(size.height(), picture.height);
    album::Rgb32Picture out(size.width(), size.height());
    std::vector<float> line(std::size_t(size.width()) * 3);
    std::vector<float> sums(line.size());
    for (int y = 0; y < size.height(); ++y) {
        std::fill(sums.begin(), sums.end(), 0.0F);
        for (int i = 0; i < int(rows[y].weights.size()); ++i) {
            averageRow(picture.row(rows[y].first + i), columns, line);
            const float w = rows[y].weights[i];
            for (std::size_t k = 0; k < sums.size(); ++k)
                sums[k] += w * line[k];
        }
        quint32* target = out.row(y);
        for (int x = 0; x < size.width(); ++x) {
            const auto channel = [&](int c) { return quint32(std::lround(sums[3 * x + c])); };
            target[x] = 0xFF000000u | channel(0) << 16 | channel(1) << 8 | channel(2);
        }
    }
    return out;
}

} // namespace quorbell::thumbnailer
