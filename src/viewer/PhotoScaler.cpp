// Fast resampling of photos for the viewer. The arithmetic is the one the
// header states, pixel for pixel; the speed comes from its structure:
//
// Shrinking: a destination pixel's sum over its block of half-pixels splits
// into rows and columns. For each destination row the source rows of its
// block are added with their half-pixel counts as weights (1 or 2), 16-bit
// lanes over whole rows; running sums along that row then give any block of
// half-pixel columns as the difference of two prefix values. The sums are
// exact integers, so only the final division needs the floating point of the
// definition: when every block sum fits in 16 bits it is one single-precision
// division per pixel in vector lanes, which gives the same bytes (see
// narrowBlockRow); otherwise it is done once per possible sum through tables,
// one per pair of block width and height, filled with exactly that division.
//
// Enlarging: the vertical step of the interpolation depends only on the source
// column, so it is done once per source column for each destination row and
// reused by the destination pixels that share that column. Every operation
// stays a single-precision operation in the same order, with the four bytes of
// a pixel in the four lanes of one vector.
//
// Row bands of the destination are shared out among threads (RowBands.h);
// each band owns its buffers, so the result does not depend on the number of
// threads.
#include "viewer/PhotoScaler.h"

#include "viewer/PhotoTarget.h"
#include "viewer/RowBands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#if defined(__SSE2__) && defined(__x86_64__) && !defined(QUORBELL_SCALAR_RESAMPLING)
#include <emmintrin.h>
#define QUORBELL_RESAMPLE_SSE2 1
#endif

namespace quorbell::viewer {

namespace {

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

// Distinct block lengths along one axis, and which one each block has.
struct LengthClasses
{
    std::vector<qint64> lengths;
    std::vector<int> classOf;

    explicit LengthClasses(const std::vector<Span>& spans) : classOf(spans.size())
    {
        for (size_t i = 0; i < spans.size(); ++i) {
            const qint64 n = spans[i].count();
            auto it = std::find(lengths.begin(), lengths.end(), n);
            if (it == lengths.end())
                it = lengths.insert(lengths.end(), n);
            classOf[i] = int(it - lengths.begin());
        }
    }
};

// The final division of a sum by its block's width, then by its height, each
// in double precision, rounded half to even.
inline quint8 divideBlockSum(quint32 sum, qint64 width, qint64 height)
{
    return quint8(std::nearbyint(double(sum) / double(width) / double(height)));
}

// That division for every possible sum of every block size, when filling the
// tables costs less than dividing each sum of the photo.
class DivisionTables
{
public:
    DivisionTables(const LengthClasses& cols, const LengthClasses& rows, bool wanted)
    {
        if (!wanted)
            return;
        qint64 entries = 0;
        for (qint64 w : cols.lengths)
            for (qint64 h : rows.lengths)
                entries += 255 * w * h + 1;
        const qint64 divisions = 3 * qint64(cols.classOf.size()) * qint64(rows.classOf.size());
        if (entries > std::max<qint64>(divisions, 1 << 16))
            return;
        const size_t nc = cols.lengths.size();
        m_tables.resize(nc * rows.lengths.size());
        m_rows.resize(rows.lengths.size());
        for (size_t r = 0; r < rows.lengths.size(); ++r) {
            for (size_t c = 0; c < nc; ++c) {
                std::vector<quint8>& t = m_tables[r * nc + c];
                const qint64 maxSum = 255 * cols.lengths[c] * rows.lengths[r];
                t.resize(size_t(maxSum + 1));
                for (qint64 sum = 0; sum <= maxSum; ++sum)
                    t[size_t(sum)] = divideBlockSum(quint32(sum), cols.lengths[c], rows.lengths[r]);
                m_rows[r].push_back(t.data());
            }
        }
    }
    // Tables of one block height by block-width class; null without tables.
    const quint8* const* forRowClass(int rowClass) const
    {
        return m_rows.empty() ? nullptr : m_rows[size_t(rowClass)].data();
    }

private:
    std::vector<std::vector<quint8>> m_tables;
    std::vector<std::vector<const quint8*>> m_rows;
};

// 16-bit lanes hold sums of up to 257 weighted bytes (257 * 255 = 65535).
constexpr quint32 kMaxWeight16 = 257;
// Blocks of at most this many half-pixels have sums below 2^16.
constexpr qint64 kMaxNarrowArea = 257;

// The source rows of one destination row, grouped by weight.
struct WeightedRows
{
    std::vector<const uchar*> ones;
    std::vector<const uchar*> twos;
    std::vector<const uchar*> others;
    std::vector<quint32> otherWeights;
    quint32 total = 0;

    void clear()
    {
        ones.clear();
        twos.clear();
        others.clear();
        otherWeights.clear();
        total = 0;
    }
};

#ifdef QUORBELL_RESAMPLE_SSE2
// The four low 16-bit lanes of `v`, copied as one 64-bit value: every lane is
// then plainly written, also for the static analysis.
inline void lowLanes(__m128i v, quint16 (&lanes)[4])
{
    const qint64 low = _mm_cvtsi128_si64(v);
    std::memcpy(lanes, &low, sizeof lanes);
}

// The weighted sum of the rows' 16 bytes at `i`, in eight 16-bit lanes for
// the low and for the high bytes.
inline void weightedBytes16(const WeightedRows& rows, qsizetype i, __m128i& lo, __m128i& hi)
{
    const __m128i zero = _mm_setzero_si128();
    __m128i lo1 = zero, hi1 = zero, lo2 = zero, hi2 = zero;
    for (const uchar* r : rows.ones) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
        lo1 = _mm_add_epi16(lo1, _mm_unpacklo_epi8(x, zero));
        hi1 = _mm_add_epi16(hi1, _mm_unpackhi_epi8(x, zero));
    }
    for (const uchar* r : rows.twos) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + i));
        lo2 = _mm_add_epi16(lo2, _mm_unpacklo_epi8(x, zero));
        hi2 = _mm_add_epi16(hi2, _mm_unpackhi_epi8(x, zero));
    }
    lo = _mm_add_epi16(lo1, _mm_slli_epi16(lo2, 1));
    hi = _mm_add_epi16(hi1, _mm_slli_epi16(hi2, 1));
    for (size_t k = 0; k < rows.others.size(); ++k) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows.others[k] + i));
        const __m128i w = _mm_set1_epi16(short(rows.otherWeights[k]));
        lo = _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(x, zero), w));
        hi = _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(x, zero), w));
    }
}
#endif

// Running sums along one destination row: prefix[4 * (c + 1) + k] holds lane
// k of the weighted column sums of source columns 0 .. c, modulo 2^32 (their
// differences are exact while the block sums fit in 32 bits). This form keeps
// each 16-byte stretch of the rows in registers while it adds the rows up;
// it needs a total weight of at most kMaxWeight16.
void runningSums16(const WeightedRows& rows, int width, quint32* prefix)
{
    const qsizetype bytes = qsizetype(width) * 4;
    qsizetype i = 0;
#ifdef QUORBELL_RESAMPLE_SSE2
    const __m128i zero = _mm_setzero_si128();
    __m128i run = zero;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix), run);
    auto add = [&](__m128i v, qsizetype at) {
        run = _mm_add_epi32(run, v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix + at), run);
    };
    for (; i + 16 <= bytes; i += 16) {
        __m128i lo, hi;
        weightedBytes16(rows, i, lo, hi);
        add(_mm_unpacklo_epi16(lo, zero), i + 4);
        add(_mm_unpackhi_epi16(lo, zero), i + 8);
        add(_mm_unpacklo_epi16(hi, zero), i + 12);
        add(_mm_unpackhi_epi16(hi, zero), i + 16);
    }
    quint32 total[4];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(total), run);
#else
    quint32 total[4] = {0, 0, 0, 0};
    std::fill(prefix, prefix + 4, 0u);
#endif
    for (; i < bytes; ++i) {
        quint32 v = 0;
        for (const uchar* r : rows.ones)
            v += r[i];
        for (const uchar* r : rows.twos)
            v += 2u * r[i];
        for (size_t k = 0; k < rows.others.size(); ++k)
            v += rows.otherWeights[k] * rows.others[k][i];
        total[i & 3] += v;
        prefix[i + 4] = total[i & 3];
    }
}

// Running sums as runningSums16 makes them, but kept in 16-bit lanes modulo
// 2^16: prefix[4 * (c + 1) + k]. The difference of two of them is exact
// while the sum it stands for stays below 2^16, which holds for every block
// when 255 times the largest block's half-pixels does (kMaxNarrowArea). Half
// the bytes to write and read again, and two pixels per vector step.
void narrowRunningSums(const WeightedRows& rows, int width, quint16* prefix)
{
    const qsizetype bytes = qsizetype(width) * 4;
    qsizetype i = 0;
    quint16 total[4] = {0, 0, 0, 0};
#ifdef QUORBELL_RESAMPLE_SSE2
    const __m128i zero = _mm_setzero_si128();
    __m128i run = zero; // the sum so far, in both halves
    _mm_storel_epi64(reinterpret_cast<__m128i*>(prefix), zero);
    // Two pixels' column sums to their running sums: (a, b) becomes
    // (run + a, run + a + b).
    auto add = [&](__m128i pair, qsizetype at) {
        pair = _mm_add_epi16(_mm_add_epi16(pair, _mm_slli_si128(pair, 8)), run);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(prefix + at), pair);
        run = _mm_shuffle_epi32(pair, _MM_SHUFFLE(3, 2, 3, 2));
    };
    for (; i + 16 <= bytes; i += 16) {
        __m128i lo, hi;
        weightedBytes16(rows, i, lo, hi);
        add(lo, i + 4);
        add(hi, i + 12);
    }
    lowLanes(run, total);
#else
    std::fill(prefix, prefix + 4, quint16(0));
#endif
    for (; i < bytes; ++i) {
        quint32 v = 0;
        for (const uchar* r : rows.ones)
            v += r[i];
        for (const uchar* r : rows.twos)
            v += 2u * r[i];
        for (size_t k = 0; k < rows.others.size(); ++k)
            v += rows.otherWeights[k] * rows.others[k][i];
        total[i & 3] = quint16(total[i & 3] + v);
        prefix[i + 4] = total[i & 3];
    }
}

// The same for any total weight: the rows are added into 16-bit lanes in
// turns of at most kMaxWeight16, each turn then carried into 32-bit lanes.
void runningSumsWide(const std::vector<LineWeight>& rows, const std::vector<const uchar*>& lines,
                     int width, std::vector<quint16>& acc16, std::vector<quint32>& acc32,
                     quint32* prefix)
{
    const size_t bytes = size_t(width) * 4;
    acc16.assign(bytes, 0);
    acc32.assign(bytes, 0);
    quint32 held = 0;
    auto carry = [&] {
        for (size_t i = 0; i < bytes; ++i)
            acc32[i] += acc16[i];
        std::fill(acc16.begin(), acc16.end(), quint16(0));
        held = 0;
    };
    for (size_t r = 0; r < rows.size(); ++r) {
        quint32 w = rows[r].weight;
        while (w > 0) {
            if (held == kMaxWeight16)
                carry();
            const quint32 take = std::min(w, kMaxWeight16 - held);
            for (size_t i = 0; i < bytes; ++i)
                acc16[i] = quint16(acc16[i] + take * lines[r][i]);
            held += take;
            w -= take;
        }
    }
    carry();
    quint32 run[4] = {0, 0, 0, 0};
    std::fill(prefix, prefix + 4, 0u);
    for (size_t i = 0; i < bytes; ++i) {
        run[i & 3] += acc32[i];
        prefix[i + 4] = run[i & 3];
    }
}

// The column half of a block: which running sums give its sum.
struct ColumnBlock
{
    // Sum = P[b0] + P[b1] - P[a0] - P[a1], as offsets into the running sums,
    // when the block lies inside the photo; otherwise the general form.
    int a0 = 0, a1 = 0, b0 = 0, b1 = 0;
    int lengthClass = 0;
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

// halfColumnPrefix on the 16-bit running sums, modulo 2^16.
quint16 narrowHalfColumnPrefix(const quint16* prefix, int width, qint64 k, int lane)
{
    if (k <= 2 * qint64(width)) {
        const qint64 c = k >> 1;
        return quint16(prefix[4 * c + lane] + prefix[4 * (c + (k & 1)) + lane]);
    }
    const quint16 last = quint16(prefix[4 * width + lane] - prefix[4 * (width - 1) + lane]);
    return quint16(2 * prefix[4 * width + lane] + quint16(k - 2 * qint64(width)) * last);
}

// Bytes of one destination pixel from its three block sums.
struct BlockDivision
{
    const quint8* const* rowTables; // by block-width class; null without tables
    const LengthClasses* cols;
    qint64 blockHeight;

    quint32 pixel(const ColumnBlock& b, quint32 blue, quint32 green, quint32 red) const
    {
        if (rowTables) {
            const quint8* t = rowTables[b.lengthClass];
            return quint32(t[blue]) | quint32(t[green]) << 8 | quint32(t[red]) << 16;
        }
        const qint64 blockWidth = cols->lengths[size_t(b.lengthClass)];
        return quint32(divideBlockSum(blue, blockWidth, blockHeight)) |
               quint32(divideBlockSum(green, blockWidth, blockHeight)) << 8 |
               quint32(divideBlockSum(red, blockWidth, blockHeight)) << 16;
    }
};

// One destination row from 16-bit running sums. A block's sum is the running
// sum at its end less the one at its start, and each block starts where the
// one before it ends, so every boundary is looked up once. With `areas` (the
// block areas of this row by column class) the final division is done in
// vector lanes rather than through `division`.
void narrowBlockRow(const quint16* p, int width, const std::vector<ColumnBlock>& blocks,
                    const BlockDivision& division, [[maybe_unused]] const float* areas,
                    quint32* out)
{
    quint16 start[4] = {0, 0, 0, 0};
    for (int k = 0; k < 3; ++k)
        start[k] = narrowHalfColumnPrefix(p, width, blocks.front().span.first, k);
#ifdef QUORBELL_RESAMPLE_SSE2
    const __m128i zero = _mm_setzero_si128();
    __m128i previous = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(start));
    auto at = [p](int offset) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + offset));
    };
    for (size_t x = 0; x < blocks.size(); ++x) {
        const ColumnBlock& b = blocks[x];
        __m128i end;
        if (b.inside) {
            end = _mm_add_epi16(at(b.b0), at(b.b1));
        } else {
            quint16 e[4] = {0, 0, 0, 0};
            for (int k = 0; k < 3; ++k)
                e[k] = narrowHalfColumnPrefix(p, width, b.span.end, k);
            end = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(e));
        }
        const __m128i sum = _mm_sub_epi16(end, previous);
        previous = end;
        if (areas) {
            // Four lanes at once: blue, green, red and the reserved byte,
            // which the mask drops. One single-precision division by the
            // block's area gives what the two double divisions give: the sum
            // and the area (at most kMaxNarrowArea) are exact floats; a
            // quotient that is a whole or half number comes out exact both
            // ways, and any other lies at least 1 / (2 * area) from the
            // nearest half, far beyond the error of either form.
            const __m128 q = _mm_div_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(sum, zero)),
                                        _mm_set1_ps(areas[b.lengthClass]));
            __m128i i = _mm_cvtps_epi32(q); // to nearest, halves to even
            i = _mm_packus_epi16(_mm_packs_epi32(i, i), zero);
            out[x] = quint32(_mm_cvtsi128_si32(i)) & 0x00FFFFFFu;
            continue;
        }
        quint16 lanes[4];
        lowLanes(sum, lanes);
        out[x] = division.pixel(b, lanes[0], lanes[1], lanes[2]);
    }
#else
    for (size_t x = 0; x < blocks.size(); ++x) {
        const ColumnBlock& b = blocks[x];
        quint16 end[3];
        for (int k = 0; k < 3; ++k)
            end[k] = b.inside ? quint16(p[b.b0 + k] + p[b.b1 + k])
                              : narrowHalfColumnPrefix(p, width, b.span.end, k);
        out[x] = division.pixel(b, quint16(end[0] - start[0]), quint16(end[1] - start[1]),
                                quint16(end[2] - start[2]));
        std::copy(end, end + 3, start);
    }
#endif
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
    // Rows are addressed through the raw bits, taken once: scanLine() on a
    // shared image may detach, which threads must not race on.
    uchar* const dstBits = dst.bits();
    const qsizetype dstStride = dst.bytesPerLine();

    const LengthClasses colClasses(colSpans);
    const LengthClasses rowClasses(rowSpans);
    // The usual case: every block sum fits in 16 bits.
    const bool narrow = maxCols * maxRows <= kMaxNarrowArea;
#ifdef QUORBELL_RESAMPLE_SSE2
    const bool vectorDivision = narrow;
#else
    const bool vectorDivision = false;
#endif
    const DivisionTables tables(colClasses, rowClasses, !vectorDivision);
    // Block areas in half-pixels, by row class and then column class.
    const size_t columnClasses = colClasses.lengths.size();
    std::vector<float> areas;
    for (qint64 height : rowClasses.lengths)
        for (qint64 w : colClasses.lengths)
            areas.push_back(float(w * height));
    std::vector<ColumnBlock> blocks(static_cast<size_t>(newW));
    for (int x = 0; x < newW; ++x) {
        ColumnBlock& b = blocks[size_t(x)];
        b.span = colSpans[size_t(x)];
        b.lengthClass = colClasses.classOf[size_t(x)];
        b.inside = b.span.end <= 2 * qint64(W);
        if (b.inside) {
            b.a0 = 4 * int(b.span.first >> 1);
            b.a1 = b.a0 + 4 * int(b.span.first & 1);
            b.b0 = 4 * int(b.span.end >> 1);
            b.b1 = b.b0 + 4 * int(b.span.end & 1);
        }
    }

    auto band = [&](int firstRow, int endRow) {
        std::vector<quint32> prefix(narrow ? 0 : size_t(W + 1) * 4);
        std::vector<quint16> prefix16(narrow ? size_t(W + 1) * 4 : 0);
        std::vector<LineWeight> rowWeights;
        std::vector<const uchar*> lines;
        WeightedRows grouped;
        std::vector<quint16> acc16;
        std::vector<quint32> acc32;
        for (int y = firstRow; y < endRow; ++y) {
            lineWeights(rowSpans[size_t(y)], H, rowWeights);
            grouped.clear();
            lines.clear();
            for (const LineWeight& r : rowWeights) {
                const uchar* line = src.constScanLine(H - 1 - r.line);
                lines.push_back(line);
                grouped.total += r.weight;
                if (r.weight == 1)
                    grouped.ones.push_back(line);
                else if (r.weight == 2)
                    grouped.twos.push_back(line);
                else {
                    grouped.others.push_back(line);
                    grouped.otherWeights.push_back(r.weight);
                }
            }
            const int rowClass = rowClasses.classOf[size_t(y)];
            const BlockDivision division{tables.forRowClass(rowClass), &colClasses,
                                         rowClasses.lengths[size_t(rowClass)]};
            auto* out = reinterpret_cast<quint32*>(dstBits + dstStride * (newH - 1 - y));
            if (narrow) {
                narrowRunningSums(grouped, W, prefix16.data());
                narrowBlockRow(prefix16.data(), W, blocks, division,
                               vectorDivision ? areas.data() + size_t(rowClass) * columnClasses
                                              : nullptr,
                               out);
                continue;
            }
            if (grouped.total <= kMaxWeight16)
                runningSums16(grouped, W, prefix.data());
            else
                runningSumsWide(rowWeights, lines, W, acc16, acc32, prefix.data());

            const quint32* p = prefix.data();
            for (int x = 0; x < newW; ++x) {
                const ColumnBlock& b = blocks[size_t(x)];
                quint32 sum[4];
                if (b.inside) {
#ifdef QUORBELL_RESAMPLE_SSE2
                    auto at = [p](int offset) {
                        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offset));
                    };
                    const __m128i v = _mm_sub_epi32(_mm_add_epi32(at(b.b0), at(b.b1)),
                                                    _mm_add_epi32(at(b.a0), at(b.a1)));
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(sum), v);
#else
                    for (int k = 0; k < 3; ++k)
                        sum[k] = p[b.b0 + k] + p[b.b1 + k] - p[b.a0 + k] - p[b.a1 + k];
#endif
                } else {
                    for (int k = 0; k < 3; ++k)
                        sum[k] = halfColumnPrefix(p, W, b.span.end, k) -
                                 halfColumnPrefix(p, W, b.span.first, k);
                }
                out[x] = division.pixel(b, sum[0], sum[1], sum[2]);
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
                const __m128 v =
                    _mm_add_ps(_mm_mul_ps(lanes(row1[c]), vfy), _mm_mul_ps(lanes(row0[c]), vgy));
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
                    const float v =
                        column[size_t(4 * t.x0 + k)] * t.gx + column[size_t(4 * t.x1 + k)] * t.fx;
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
