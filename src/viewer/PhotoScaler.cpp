// Fast resampling of photos for the viewer. The arithmetic is the one the
// header states, pixel for pixel; the speed comes from its structure:
//
// Shrinking: a destination pixel's sum over its block of half-pixels splits
// into rows and columns. For each destination row the source rows of its
// block are added with their half-pixel counts as weights (1 or 2), 16-bit
// lanes over whole rows; running sums along that row then give any block of
// half-pixel columns as the difference of two prefix values. The sums are
// exact integers, so only the final division needs the floating point of the
// definition: it is done once per possible sum through tables, one per pair of
// block width and height, filled with exactly that division.
//
// Enlarging: the vertical step of the interpolation depends only on the source
// column, so it is done once per source column for each destination row and
// reused by the destination pixels that share that column. Every operation
// stays a single-precision operation in the same order, with the four bytes of
// a pixel in the four lanes of one vector.
//
// Row bands of the destination are shared out among threads; each band owns
// its buffers, so the result does not depend on the number of threads.
#include "viewer/PhotoScaler.h"

#include "viewer/PhotoTarget.h"

#include <QFuture>
#include <QList>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#if defined(__SSE2__) && !defined(QUORBELL_SCALAR_RESAMPLING)
#include <emmintrin.h>
#define QUORBELL_RESAMPLE_SSE2 1
#endif

namespace quorbell::viewer {

namespace {

// Below this many pixels touched, threads cost more than they save.
constexpr qint64 kParallelThreshold = 1 << 17;

// Runs fn(firstRow, endRow) over bands of [0, rows), the first band on the
// calling thread. Waiting on a job that has not started yet runs it here, so
// this also works from inside a pool thread.
template <typename Fn>
void forEachBand(int rows, int threads, qint64 pixelsTouched, const Fn& fn)
{
    int n = threads > 0 ? threads : QThread::idealThreadCount();
    if (pixelsTouched < kParallelThreshold)
        n = 1;
    n = std::clamp(n, 1, std::max(rows, 1));
    if (n == 1) {
        fn(0, rows);
        return;
    }
    QList<QFuture<void>> jobs;
    for (int i = 1; i < n; ++i) {
        const int first = int(qint64(rows) * i / n);
        const int end = int(qint64(rows) * (i + 1) / n);
        jobs.append(QtConcurrent::run([&fn, first, end] { fn(first, end); }));
    }
    fn(0, int(qint64(rows) / n));
    for (QFuture<void>& job : jobs)
        job.waitForFinished();
}

// ---------------------------------------------------------------- shrinking

// A block of half-pixels [first, end) along one axis.
struct Span
{
    qint64 first = 0;
    qint64 end = 0;
    qint64 count() const { return end - first; }
};

// Block boundaries i / h, divided in single precision and truncated. Block i
// ends where block i + 1 begins, so the blocks tile the half-pixels.
std::vector<Span> halfPixelSpans(int count, float h)
{
    std::vector<Span> spans(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        spans[size_t(i)] = {qint64(float(i) / h), qint64(float(i + 1) / h)};
    return spans;
}

// A source line (counted from the bottom or the left) with the number of the
// block's half-pixels that fall on it. Lines beyond the photo count for its
// last line.
struct LineWeight
{
    int line = 0;
    quint32 weight = 0;
};

void lineWeights(Span span, int lines, std::vector<LineWeight>& out)
{
    out.clear();
    const qint64 last = (span.end - 1) >> 1;
    const qint64 lastInside = std::min<qint64>(last, lines - 1);
    for (qint64 j = span.first >> 1; j <= lastInside; ++j) {
        const qint64 w = std::min(span.end, 2 * j + 2) - std::max(span.first, 2 * j);
        out.push_back({int(j), quint32(w)});
    }
    if (last > lines - 1) {
        const quint32 extra = quint32(span.end - std::max(span.first, 2 * qint64(lines)));
        if (!out.empty() && out.back().line == lines - 1)
            out.back().weight += extra;
        else
            out.push_back({lines - 1, extra});
    }
}

// The final division of the sums, by the block's width, then by its height,
// each in double precision, rounded half to even. Tables hold the result for
// every possible sum of a block size when that is cheaper than dividing.
class BlockDivider
{
public:
    BlockDivider(const std::vector<Span>& cols, const std::vector<Span>& rows)
    {
        classify(cols, m_widths, m_colClass);
        classify(rows, m_heights, m_rowClass);
        qint64 entries = 0;
        for (qint64 w : m_widths)
            for (qint64 h : m_heights)
                entries += 255 * w * h + 1;
        const qint64 divisions = 3 * qint64(cols.size()) * qint64(rows.size());
        if (entries > std::max<qint64>(divisions, 1 << 16))
            return;
        m_tables.resize(m_widths.size() * m_heights.size());
        for (size_t r = 0; r < m_heights.size(); ++r) {
            for (size_t c = 0; c < m_widths.size(); ++c) {
                std::vector<quint8>& t = m_tables[r * m_widths.size() + c];
                const qint64 maxSum = 255 * m_widths[c] * m_heights[r];
                t.resize(size_t(maxSum + 1));
                for (qint64 sum = 0; sum <= maxSum; ++sum)
                    t[size_t(sum)] = divide(quint32(sum), m_widths[c], m_heights[r]);
            }
        }
    }

    // One row's dividers; the row's table pointers when tables are in use.
    class Row
    {
    public:
        Row(const BlockDivider& d, int row) : m_d(d), m_rowClass(d.m_rowClass[size_t(row)])
        {
            if (d.m_tables.empty())
                return;
            for (size_t c = 0; c < d.m_widths.size(); ++c)
                m_tables.push_back(d.m_tables[size_t(m_rowClass) * d.m_widths.size() + c].data());
        }
        quint8 operator()(quint32 sum, int col) const
        {
            const int colClass = m_d.m_colClass[size_t(col)];
            if (!m_tables.empty())
                return m_tables[size_t(colClass)][sum];
            return divide(sum, m_d.m_widths[size_t(colClass)], m_d.m_heights[size_t(m_rowClass)]);
        }

    private:
        const BlockDivider& m_d;
        int m_rowClass = 0;
        std::vector<const quint8*> m_tables;
    };

    static quint8 divide(quint32 sum, qint64 width, qint64 height)
    {
        return quint8(std::nearbyint(double(sum) / double(width) / double(height)));
    }

private:
    static void classify(const std::vector<Span>& spans, std::vector<qint64>& values,
                         std::vector<int>& classOf)
    {
        classOf.resize(spans.size());
        for (size_t i = 0; i < spans.size(); ++i) {
            const qint64 n = spans[i].count();
            auto it = std::find(values.begin(), values.end(), n);
            if (it == values.end()) {
                values.push_back(n);
                it = values.end() - 1;
            }
            classOf[i] = int(it - values.begin());
        }
    }

    std::vector<qint64> m_widths;
    std::vector<qint64> m_heights;
    std::vector<int> m_colClass;
    std::vector<int> m_rowClass;
    std::vector<std::vector<quint8>> m_tables;
};

// 16-bit lanes hold sums of up to 257 weighted bytes (257 * 255 = 65535).
constexpr quint32 kMaxWeight16 = 257;

// acc[i] += w * src[i] for the n bytes of a row; w <= kMaxWeight16.
void addWeightedRow(quint16* acc, const uchar* src, qsizetype n, quint32 w)
{
    qsizetype i = 0;
#ifdef QUORBELL_RESAMPLE_SSE2
    const __m128i zero = _mm_setzero_si128();
    const __m128i wv = _mm_set1_epi16(short(w));
    auto step = [&](auto weigh) {
        for (; i + 16 <= n; i += 16) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
            __m128i* a = reinterpret_cast<__m128i*>(acc + i);
            const __m128i lo = weigh(_mm_unpacklo_epi8(x, zero));
            const __m128i hi = weigh(_mm_unpackhi_epi8(x, zero));
            _mm_storeu_si128(a, _mm_add_epi16(_mm_loadu_si128(a), lo));
            _mm_storeu_si128(a + 1, _mm_add_epi16(_mm_loadu_si128(a + 1), hi));
        }
    };
    if (w == 1)
        step([](__m128i v) { return v; });
    else if (w == 2)
        step([](__m128i v) { return _mm_slli_epi16(v, 1); });
    else
        step([&](__m128i v) { return _mm_mullo_epi16(v, wv); });
#endif
    for (; i < n; ++i)
        acc[i] = quint16(acc[i] + w * src[i]);
}

// Running sums of one destination row's column sums: prefix[c] holds the sum
// of columns 0 .. c-1, four lanes per column, modulo 2^32 (differences of
// them are exact as long as the true block sums fit in 32 bits).
void runningSums(const quint16* acc16, const quint32* acc32, int width, quint32* prefix)
{
#ifdef QUORBELL_RESAMPLE_SSE2
    const __m128i zero = _mm_setzero_si128();
    __m128i run = zero;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix), run);
    for (int c = 0; c < width; ++c) {
        __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(acc16 + 4 * c));
        v = _mm_unpacklo_epi16(v, zero);
        if (acc32)
            v = _mm_add_epi32(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(acc32 + 4 * c)));
        run = _mm_add_epi32(run, v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix + 4 * (c + 1)), run);
    }
#else
    quint32 run[4] = {0, 0, 0, 0};
    std::copy(run, run + 4, prefix);
    for (int c = 0; c < width; ++c) {
        for (int k = 0; k < 4; ++k) {
            run[k] += acc16[4 * c + k] + (acc32 ? acc32[4 * c + k] : 0u);
            prefix[4 * (c + 1) + k] = run[k];
        }
    }
#endif
}

// The column half of a block: which prefix entries give its sum.
struct ColumnBlock
{
    // Sum = P[b0] + P[b1] - P[a0] - P[a1] (in columns of 4 lanes) when the
    // block lies inside the photo; otherwise the general form is used.
    int a0 = 0, a1 = 0, b0 = 0, b1 = 0;
    bool inside = true;
    Span span;
};

// Sum of the half-pixel columns [0, k) of a row, clamped at the last column.
quint32 halfColumnPrefix(const quint32* prefix, int width, qint64 k, int lane)
{
    if (k <= 2 * qint64(width)) {
        const qint64 c = k >> 1;
        return prefix[4 * c + lane] + prefix[4 * (c + (k & 1)) + lane];
    }
    const quint32 last = prefix[4 * width + lane] - prefix[4 * (width - 1) + lane];
    return 2 * prefix[4 * width + lane] + quint32(k - 2 * qint64(width)) * last;
}

QImage shrinkRgb32(const QImage& src, int newW, int newH, int threads)
{
    const int W = src.width();
    const int H = src.height();
    const float s = float(newW) / float(W);
    const float h = s / 2;
    const std::vector<Span> colSpans = halfPixelSpans(newW, h);
    const std::vector<Span> rowSpans = halfPixelSpans(newH, h);

    qint64 maxCols = 0, maxRows = 0;
    for (const Span& c : colSpans)
        maxCols = std::max(maxCols, c.count());
    for (const Span& r : rowSpans)
        maxRows = std::max(maxRows, r.count());
    if (maxCols <= 0 || maxRows <= 0 ||
        255 * maxCols * maxRows > qint64(std::numeric_limits<quint32>::max()))
        return {};

    QImage dst(newW, newH, QImage::Format_RGB32);
    if (dst.isNull())
        return {};

    std::vector<ColumnBlock> blocks(static_cast<size_t>(newW));
    for (int x = 0; x < newW; ++x) {
        ColumnBlock& b = blocks[size_t(x)];
        b.span = colSpans[size_t(x)];
        b.inside = b.span.end <= 2 * qint64(W);
        if (b.inside) {
            b.a0 = int(b.span.first >> 1);
            b.a1 = b.a0 + int(b.span.first & 1);
            b.b0 = int(b.span.end >> 1);
            b.b1 = b.b0 + int(b.span.end & 1);
        }
    }
    const BlockDivider divider(colSpans, rowSpans);
    const qsizetype rowBytes = qsizetype(W) * 4;
    // Rows are addressed through the raw bits, taken once: scanLine() on a
    // shared image may detach, which threads must not race on.
    uchar* const dstBits = dst.bits();
    const qsizetype dstStride = dst.bytesPerLine();

    auto band = [&](int firstRow, int endRow) {
        std::vector<quint16> acc16(static_cast<size_t>(rowBytes));
        std::vector<quint32> acc32;
        std::vector<quint32> prefix(size_t(W + 1) * 4);
        std::vector<LineWeight> rows;
        for (int y = firstRow; y < endRow; ++y) {
            lineWeights(rowSpans[size_t(y)], H, rows);
            std::fill(acc16.begin(), acc16.end(), quint16(0));
            bool wide = false;
            quint32 held = 0; // weight gathered in the 16-bit lanes
            for (const LineWeight& r : rows) {
                const uchar* line = src.constScanLine(H - 1 - r.line);
                quint32 w = r.weight;
                while (w > 0) {
                    if (held == kMaxWeight16) {
                        if (!wide) {
                            acc32.assign(size_t(rowBytes), 0);
                            wide = true;
                        }
                        for (qsizetype i = 0; i < rowBytes; ++i)
                            acc32[size_t(i)] += acc16[size_t(i)];
                        std::fill(acc16.begin(), acc16.end(), quint16(0));
                        held = 0;
                    }
                    const quint32 take = std::min(w, kMaxWeight16 - held);
                    addWeightedRow(acc16.data(), line, rowBytes, take);
                    held += take;
                    w -= take;
                }
            }
            runningSums(acc16.data(), wide ? acc32.data() : nullptr, W, prefix.data());

            const BlockDivider::Row divide(divider, y);
            auto* out = reinterpret_cast<quint32*>(dstBits + dstStride * (newH - 1 - y));
            const quint32* p = prefix.data();
            for (int x = 0; x < newW; ++x) {
                const ColumnBlock& b = blocks[size_t(x)];
                quint32 sum[4];
                if (b.inside) {
#ifdef QUORBELL_RESAMPLE_SSE2
                    auto at = [p](int c) {
                        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4 * c));
                    };
                    const __m128i v = _mm_sub_epi32(_mm_add_epi32(at(b.b0), at(b.b1)),
                                                    _mm_add_epi32(at(b.a0), at(b.a1)));
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(sum), v);
#else
                    for (int k = 0; k < 4; ++k)
                        sum[k] = p[4 * b.b0 + k] + p[4 * b.b1 + k] - p[4 * b.a0 + k] -
                                 p[4 * b.a1 + k];
#endif
                } else {
                    for (int k = 0; k < 3; ++k)
                        sum[k] = halfColumnPrefix(p, W, b.span.end, k) -
                                 halfColumnPrefix(p, W, b.span.first, k);
                }
                out[x] = quint32(divide(sum[0], x)) | quint32(divide(sum[1], x)) << 8 |
                         quint32(divide(sum[2], x)) << 16;
            }
        }
    };
    forEachBand(newH, threads, qint64(W) * H + qint64(newW) * newH, band);
    return dst;
}

// ---------------------------------------------------------------- enlarging

struct ColumnTap
{
    int x0 = 0; // source columns, already clamped to the photo
    int x1 = 0;
    float fx = 0;
    float gx = 0; // 1 - fx
};

QImage enlargeRgb32(const QImage& src, int newW, int newH, int threads)
{
    const int W = src.width();
    const int H = src.height();
    const float r = float(W) / float(newW);

    QImage dst(newW, newH, QImage::Format_RGB32);
    if (dst.isNull())
        return {};
    uchar* const dstBits = dst.bits();
    const qsizetype dstStride = dst.bytesPerLine();

    std::vector<ColumnTap> taps(static_cast<size_t>(newW));
    int lastColumn = 0; // the highest source column any destination pixel reads
    for (int x = 0; x < newW; ++x) {
        const float sx = float(x) * r;
        const qint64 x0 = qint64(sx);
        ColumnTap& t = taps[size_t(x)];
        t.fx = sx - float(x0);
        t.gx = 1.0f - t.fx;
        t.x0 = int(std::min<qint64>(x0, W - 1));
        t.x1 = int(std::min<qint64>(x0 + 1, W - 1));
        lastColumn = std::max(lastColumn, t.x1);
    }

    auto band = [&](int firstRow, int endRow) {
        // The vertical step per source column: four float lanes per column.
        std::vector<float> column(size_t(lastColumn + 1) * 4);
        for (int y = firstRow; y < endRow; ++y) {
            const float sy = float(y) * r;
            const qint64 y0 = qint64(sy);
            const float fy = sy - float(y0);
            const float gy = 1.0f - fy;
            const int y0c = int(std::min<qint64>(y0, H - 1));
            const int y1c = int(std::min<qint64>(y0 + 1, H - 1));
            const auto* row0 = reinterpret_cast<const quint32*>(src.constScanLine(H - 1 - y0c));
            const auto* row1 = reinterpret_cast<const quint32*>(src.constScanLine(H - 1 - y1c));
            auto* out = reinterpret_cast<quint32*>(dstBits + dstStride * (newH - 1 - y));
#ifdef QUORBELL_RESAMPLE_SSE2
            const __m128i zero = _mm_setzero_si128();
            auto lanes = [zero](quint32 pixel) {
                const __m128i b = _mm_cvtsi32_si128(int(pixel));
                return _mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(b, zero), zero));
            };
            const __m128 vfy = _mm_set1_ps(fy);
            const __m128 vgy = _mm_set1_ps(gy);
            for (int c = 0; c <= lastColumn; ++c) {
                const __m128 v = _mm_add_ps(_mm_mul_ps(lanes(row1[c]), vfy),
                                            _mm_mul_ps(lanes(row0[c]), vgy));
                _mm_storeu_ps(column.data() + 4 * c, v);
            }
            for (int x = 0; x < newW; ++x) {
                const ColumnTap& t = taps[size_t(x)];
                const __m128 v0 = _mm_loadu_ps(column.data() + 4 * t.x0);
                const __m128 v1 = _mm_loadu_ps(column.data() + 4 * t.x1);
                const __m128 v = _mm_add_ps(_mm_mul_ps(v0, _mm_set1_ps(t.gx)),
                                            _mm_mul_ps(v1, _mm_set1_ps(t.fx)));
                __m128i i = _mm_cvtps_epi32(v); // to nearest, halves to even
                i = _mm_packs_epi32(i, i);
                i = _mm_packus_epi16(i, i);
                out[x] = quint32(_mm_cvtsi128_si32(i)) & 0x00FFFFFFu;
            }
#else
            for (int c = 0; c <= lastColumn; ++c) {
                for (int k = 0; k < 3; ++k) {
                    const float p1 = float((row1[c] >> (8 * k)) & 0xFF);
                    const float p0 = float((row0[c] >> (8 * k)) & 0xFF);
                    column[size_t(4 * c + k)] = p1 * fy + p0 * gy;
                }
            }
            for (int x = 0; x < newW; ++x) {
                const ColumnTap& t = taps[size_t(x)];
                quint32 pixel = 0;
                for (int k = 0; k < 3; ++k) {
                    const float v = column[size_t(4 * t.x0 + k)] * t.gx +
                                    column[size_t(4 * t.x1 + k)] * t.fx;
                    pixel |= quint32(std::nearbyint(v)) << (8 * k);
                }
                out[x] = pixel;
            }
#endif
        }
    };
    forEachBand(newH, threads, qint64(newW) * newH, band);
    return dst;
}

} // namespace

QImage toOpaqueRgb32(const QImage& image)
{
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_RGB32)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    // Premultiplied colour is the colour over black; the alpha byte is then
    // simply set to opaque.
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return {};
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    out.reinterpretAsFormat(QImage::Format_RGB32);
    return out;
}

QImage shrinkPhoto(const QImage& photo, QSize newSize, int threads)
{
    if (photo.isNull() || newSize.width() < 1 || newSize.height() < 1 ||
        newSize.width() >= photo.width())
        return {};
    const QImage src = toOpaqueRgb32(photo);
    if (src.isNull())
        return {};
    return shrinkRgb32(src, newSize.width(), newSize.height(), threads);
}

QImage enlargePhoto(const QImage& photo, QSize newSize, int threads)
{
    if (photo.isNull() || newSize.width() < 1 || newSize.height() < 1)
        return {};
    const QImage src = toOpaqueRgb32(photo);
    if (src.isNull())
        return {};
    return enlargeRgb32(src, newSize.width(), newSize.height(), threads);
}

QImage resamplePhoto(const QImage& photo, const PhotoTarget& target, int threads)
{
    switch (target.path) {
    case ScalePath::Shrink:
        return shrinkPhoto(photo, target.newSize(), threads);
    case ScalePath::Enlarge:
        return enlargePhoto(photo, target.newSize(), threads);
    case ScalePath::AsIs:
        break;
    }
    return toOpaqueRgb32(photo);
}

} // namespace quorbell::viewer
