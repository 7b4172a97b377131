#include "thumbnailer/UprightPicture.h"

#include "album/ExifReader.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorbell::thumbnailer {
namespace {

// The source pixels each pixel of a shrunk side covers: from `first[i]`,
// `reach` of them, each with the part of its area it takes (the parts add up
// to 1; those past the end of the cover are 0 and name a pixel in range).
struct Spans
{
    int reach = 0;
    std::vector<int> first;
    std::vector<float> weights; // reach a pixel
};

// The spans of `count` pixels over a side of `length` (count <= length).
Spans spansOf(int count, int length)
{
    Spans spans;
    const double scale = double(length) / count;
    spans.reach = std::min(int(std::ceil(scale)) + 1, length);
    spans.first.resize(std::size_t(count));
    spans.weights.assign(std::size_t(count) * std::size_t(spans.reach), 0.0F);
    for (int i = 0; i < count; ++i) {
        const double from = i * scale;
        const double to = std::min(double(length), (i + 1) * scale);
        spans.first[std::size_t(i)] = std::min(int(from), length - spans.reach);
        for (int k = 0; k < spans.reach; ++k) {
            const int p = spans.first[std::size_t(i)] + k;
            const double covered = std::min(to, p + 1.0) - std::max(from, double(p));
            if (covered > 0)
                spans.weights[std::size_t(i) * spans.reach + k] = float(covered / scale);
        }
    }
    return spans;
}

// One row shrunk along its width, three channels a pixel.
void averageRow(const quint32* row, const Spans& columns, std::vector<float>& out)
{
    const int reach = columns.reach;
    for (std::size_t x = 0; x < columns.first.size(); ++x) {
        const quint32* p = row + columns.first[x];
        const float* w = columns.weights.data() + x * reach;
        float r = 0;
        float g = 0;
        float b = 0;
        for (int k = 0; k < reach; ++k) {
            r += w[k] * float((p[k] >> 16) & 0xFF);
            g += w[k] * float((p[k] >> 8) & 0xFF);
            b += w[k] * float(p[k] & 0xFF);
        }
        out[3 * x] = r;
        out[3 * x + 1] = g;
        out[3 * x + 2] = b;
    }
}

} // namespace

album::Rgb32Picture turnedUpright(album::Rgb32Picture stored, int orientation)
{
    if (orientation < 2 || orientation > 8)
        return stored;
    const int w = stored.width;
    const int h = stored.height;
    const QSize size = album::orientedSize(QSize(w, h), orientation);
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
    const Spans columns = spansOf(size.width(), picture.width);
    const Spans rows = spansOf(size.height(), picture.height);
    album::Rgb32Picture out(size.width(), size.height());
    // Each source row shrunk along its width once: neighbouring rows of the
    // result share at most one source row, the last one shrunk.
    std::vector<float> line(std::size_t(size.width()) * 3);
    int lineRow = -1;
    std::vector<float> sums(line.size());
    for (int y = 0; y < size.height(); ++y) {
        // Starting from a half, truncating the sums rounds them.
        std::fill(sums.begin(), sums.end(), 0.5F);
        for (int k = 0; k < rows.reach; ++k) {
            const float w = rows.weights[std::size_t(y) * rows.reach + k];
            if (w == 0)
                continue;
            const int sourceRow = rows.first[std::size_t(y)] + k;
            if (sourceRow != lineRow) {
                averageRow(picture.row(sourceRow), columns, line);
                lineRow = sourceRow;
            }
            for (std::size_t i = 0; i < sums.size(); ++i)
                sums[i] += w * line[i];
        }
        quint32* target = out.row(y);
        for (int x = 0; x < size.width(); ++x) {
            const auto channel = [&](int c) { return quint32(sums[3 * x + c]); };
            target[x] = 0xFF000000u | channel(0) << 16 | channel(1) << 8 | channel(2);
        }
    }
    return out;
}

} // namespace quorbell::thumbnailer
