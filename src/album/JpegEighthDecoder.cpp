#include "album/JpegEighthDecoder.h"

#include "album/JpegDecoder.h"
#include "album/JpegFrame.h"

#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

#include <pthread.h>
#include <sched.h>

namespace quorbell::album {
namespace {

// Below this much coded data a second thread costs more than it saves.
constexpr qsizetype kMinBytesToShare = 64 * 1024;
constexpr int kMaxBlocksPerMcu = 10;

// Reads entropy-coded bits first-highest, leaving out the zero bytes stuffed
// after 0xFF data bytes, through a 64-bit window that holds at least 56
// unread bits after each refill: enough for any code with its extra bits
// (at most 31). Past the end of its bytes it reads zero bits and says so.
class BitReader
{
public:
    BitReader(const std::uint8_t* begin, const std::uint8_t* end)
        : m_begin(begin), m_next(begin), m_end(end)
    {
        refill();
    }

    void refill()
    {
        if (m_end - m_next >= 8) {
            const auto word = qFromBigEndian<std::uint64_t>(m_next);
            if (!hasByteFF(word)) {
                // The eight bytes go in whole; those not counted are read
                // again, with the same value, by the next refill.
                m_bits |= word >> m_count;
                m_next += (63 - m_count) >> 3;
                m_count |= 56;
                return;
            }
        }
        refillByteByByte();
    }
    // Enough unread bits for a code and its extra bits.
    void refillForCode()
    {
        if (m_count < 31)
            refill();
    }
    std::uint64_t bits() const { return m_bits; }
    void consume(int n)
    {
        m_bits <<= n;
        m_count -= n;
    }
    // Bits read since the start, stuffed bytes not counted: two readers of
    // the same data at the same position read the same bits from there.
    std::uint64_t position() const
    {
        return std::uint64_t(m_next - m_begin - m_stuffed + m_zeroBytes) * 8 - m_count;
    }
    // Some of the bits read were past the end of the data.
    bool pastEnd() const { return m_zeroBytes * 8 > m_count; }

private:
    static bool hasByteFF(std::uint64_t word)
    {
        const std::uint64_t inverted = ~word;
        return ((inverted - 0x0101010101010101) & ~inverted & 0x8080808080808080) != 0;
    }

    void refillByteByByte()
    {
        while (m_count <= 55) {
            std::uint64_t byte = 0;
            if (m_next < m_end) {
                byte = *m_next++;
                if (byte == 0xFF && m_next < m_end && *m_next == 0) {
                    ++m_next;
                    ++m_stuffed;
                }
            } else {
                ++m_zeroBytes;
            }
            m_bits |= byte << (56 - m_count);
            m_count += 8;
        }
    }

    const std::uint8_t* m_begin;
    const std::uint8_t* m_next;
    const std::uint8_t* m_end;
    std::uint64_t m_bits = 0;
    int m_count = 0; // unread bits in m_bits, 0 to 63
    qsizetype m_stuffed = 0;
    qsizetype m_zeroBytes = 0;
};

// The symbol whose code starts `bits`, its code length in `length` (0 for a
// prefix no code of the table starts).
inline int decodeSymbol(const HuffmanTable& t, std::uint64_t bits, int& length)
{
    const std::uint16_t entry = t.fast[bits >> (64 - HuffmanTable::kFastBits)];
    if (entry != 0) {
        length = entry >> 8;
        return entry & 0xFF;
    }
    for (int l = HuffmanTable::kFastBits + 1; l <= 16; ++l) {
        const auto code = std::int32_t(bits >> (64 - l));
        if (code <= t.maxCode[l]) {
            length = l;
            return t.values[t.valueBase[l] + code];
        }
    }
    length = 0;
    return 0;
}

struct BlockSlot
{
    const HuffmanTable* dc = nullptr;
    const HuffmanTable* ac = nullptr;
    int component = 0;
    int x = 0; // the block's place among the component's blocks of an MCU
    int y = 0;
};

// The blocks of the scan, MCU by MCU, in the order the data codes them.
struct McuLayout
{
    std::array<BlockSlot, kMaxBlocksPerMcu> blockSlots;
    int blocks = 0;
    int columns = 0; // MCUs in a row
    int rows = 0;
    qsizetype total() const { return qsizetype(columns) * rows; }
};

std::optional<McuLayout> layOut(const JpegFrame& frame)
{
    McuLayout layout;
    for (int c = 0; c < int(frame.components.size()); ++c) {
        const JpegComponent& comp = frame.components[c];
        for (int y = 0; y < comp.vertical; ++y) {
            for (int x = 0; x < comp.horizontal; ++x) {
                if (layout.blocks == kMaxBlocksPerMcu)
                    return std::nullopt;
                layout.blockSlots[layout.blocks++] = {&frame.dcTables[comp.dcTable],
                                                      &frame.acTables[comp.acTable], c, x, y};
            }
        }
    }
    layout.columns = (frame.width + 8 * frame.maxHorizontal - 1) / (8 * frame.maxHorizontal);
    layout.rows = (frame.height + 8 * frame.maxVertical - 1) / (8 * frame.maxVertical);
    return layout;
}

// Reads MCUs, keeping of each block the difference its DC coefficient codes.
class McuDecoder
{
public:
    explicit McuDecoder(const McuLayout& layout) : m_layout(layout) {}

    int blocks() const { return m_layout.blocks; }

    // Decodes the next MCU. False for a code no table holds, or for a block
    // that would start past the end of the data.
    bool decode(BitReader& reader, std::int16_t* diffs) const
    {
        // A local copy whose address never escapes stays in registers; the
        // caller's reader might share memory with the bytes read.
        BitReader local = reader;
        for (int b = 0; b < m_layout.blocks; ++b) {
            const BlockSlot& slot = m_layout.blockSlots[b];
            if (local.pastEnd() || !decodeBlock(local, *slot.dc, *slot.ac, diffs[b]))
                return false;
        }
        reader = local;
        return true;
    }

private:
    // One block: the DC difference, then the AC coefficients, of which only
    // the codes are read to find where the block ends.
    Q_ALWAYS_INLINE static bool decodeBlock(BitReader& reader, const HuffmanTable& dc,
                                            const HuffmanTable& ac, std::int16_t& dcDiff)
    {
        reader.refillForCode();
        const std::uint64_t bits = reader.bits();
        int length = 0;
        const int size = decodeSymbol(dc, bits, length);
        if (length == 0 || size > 11)
            return false;
        int diff = 0;
        if (size > 0) {
            const int raw = int((bits << length) >> (64 - size));
            diff = raw < (1 << (size - 1)) ? raw - (1 << size) + 1 : raw;
        }
        dcDiff = std::int16_t(diff);
        reader.consume(length + size);
        for (int k = 1; k < 64;) {
            reader.refillForCode();
            const std::uint16_t skip = ac.acSkip[reader.bits() >> (64 - HuffmanTable::kFastBits)];
            if (skip != 0) {
                reader.consume(skip >> 8);
                k += skip & 0xFF;
                continue;
            }
            const int runAndSize = decodeSymbol(ac, reader.bits(), length);
            if (length == 0)
                return false;
            const int run = runAndSize >> 4;
            const int acSize = runAndSize & 0x0F;
            reader.consume(length + acSize);
            if (acSize != 0)
                k += run + 1;
            else if (run == 15)
                k += 16;
            else
                break; // end of block
        }
        return true;
    }

    const McuLayout& m_layout;
};

const std::uint8_t* entropyAt(const JpegFrame& frame, qsizetype offset)
{
    return reinterpret_cast<const std::uint8_t*>(frame.entropy.data()) + offset;
}

// Decodes MCUs [first, end) into `diffs`; false when the data does not hold
// them whole.
bool decodeRun(const McuDecoder& decoder, BitReader& reader, qsizetype first, qsizetype end,
               std::int16_t* diffs)
{
    for (qsizetype m = first; m < end; ++m) {
        if (!decoder.decode(reader, diffs + m * decoder.blocks()))
            return false;
    }
    return !reader.pastEnd();
}

bool decodeAll(const JpegFrame& frame, const McuDecoder& decoder, qsizetype total,
               std::int16_t* diffs)
{
    BitReader reader(entropyAt(frame, 0), entropyAt(frame, frame.entropy.size()));
    return decodeRun(decoder, reader, 0, total, diffs);
}

// The scheduler starts a new thread on its parent's CPU and moves it to an
// idle one only after a millisecond or more (on a virtual machine's two
// CPUs, at times not at all during a decode): the two halves of the work then
// take turns on one CPU. While it lives, this keeps the calling thread on its
// CPU and sends the second thread to the other CPUs the process may use.
class SeparateCpus
{
public:
    SeparateCpus()
    {
        const int cpu = sched_getcpu();
        if (pthread_getaffinity_np(pthread_self(), sizeof m_saved, &m_saved) != 0 || cpu < 0 ||
            !CPU_ISSET(cpu, &m_saved) || CPU_COUNT(&m_saved) < 2)
            return;
        m_others = m_saved;
        CPU_CLR(cpu, &m_others);
        cpu_set_t mine;
        CPU_ZERO(&mine);
        CPU_SET(cpu, &mine);
        m_pinned = pthread_setaffinity_np(pthread_self(), sizeof mine, &mine) == 0;
    }
    ~SeparateCpus()
    {
        if (m_pinned)
            pthread_setaffinity_np(pthread_self(), sizeof m_saved, &m_saved);
    }
    SeparateCpus(const SeparateCpus&) = delete;
    SeparateCpus& operator=(const SeparateCpus&) = delete;

    void placeSecond(std::thread& second)
    {
        if (m_pinned)
            pthread_setaffinity_np(second.native_handle(), sizeof m_others, &m_others);
    }

private:
    cpu_set_t m_saved{};
    cpu_set_t m_others{};
    bool m_pinned = false;
};

// Runs `second` on a thread of its own, on another CPU, while `first` runs
// here, and waits for both; false, with neither run, when no thread can be
// had.
template <typename Second, typename First> bool runSideBySide(Second second, First first)
{
    try {
        SeparateCpus cpus;
        std::thread thread(std::move(second));
        cpus.placeSecond(thread);
        first();
        thread.join();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

// Restart intervals start byte-aligned at known places: each thread takes a
// share of them.
bool decodeRestartIntervals(const JpegFrame& frame, const McuDecoder& decoder, qsizetype total,
                            int threads, std::int16_t* diffs)
{
    const qsizetype interval = frame.restartInterval;
    const qsizetype intervals = (total + interval - 1) / interval;
    if (qsizetype(frame.restarts.size()) < intervals - 1)
        return false;
    auto decodeIntervals = [&](qsizetype from, qsizetype to) {
        for (qsizetype k = from; k < to; ++k) {
            const qsizetype begin = k == 0 ? 0 : frame.restarts[k - 1].next;
            const qsizetype end =
                k + 1 < intervals ? frame.restarts[k].marker : frame.entropy.size();
            BitReader reader(entropyAt(frame, begin), entropyAt(frame, end));
            if (!decodeRun(decoder, reader, k * interval, std::min(total, (k + 1) * interval),
                           diffs))
                return false;
        }
        return true;
    };
    const qsizetype half =
        threads > 1 && frame.entropy.size() >= kMinBytesToShare ? intervals / 2 : 0;
    if (half == 0)
        return decodeIntervals(0, intervals);
    bool firstOk = false;
    bool secondOk = false;
    if (!runSideBySide([&] { secondOk = decodeIntervals(half, intervals); },
                       [&] { firstOk = decodeIntervals(0, half); }))
        return decodeIntervals(0, intervals);
    return firstOk && secondOk;
}

// What the thread that starts half-way records: where each MCU it read
// starts and ends (bit positions from the start of the data), and the MCUs'
// DC differences. Written only as far as it gets, so not initialised.
struct Speculation
{
    explicit Speculation(qsizetype mcus, int blocks)
        : capacity(mcus), starts(std::make_unique_for_overwrite<std::uint64_t[]>(mcus)),
          ends(std::make_unique_for_overwrite<std::uint64_t[]>(mcus)),
          diffs(std::make_unique_for_overwrite<std::int16_t[]>(mcus * blocks))
    {
    }

    const qsizetype capacity;
    std::unique_ptr<std::uint64_t[]> starts;
    std::unique_ptr<std::uint64_t[]> ends;
    std::unique_ptr<std::int16_t[]> diffs;
    std::atomic<qsizetype> published{0}; // MCUs readable by the other thread
    std::atomic<bool> finished{false};
    std::atomic<bool> stop{false};
};

// Decodes from a guessed MCU start on, moving on by one bit whenever the
// data makes no sense there; `origin` is the reader's position in the data.
void speculate(const McuDecoder& decoder, BitReader reader, std::uint64_t origin, Speculation& s)
{
    qsizetype n = 0;
    while (n < s.capacity && !reader.pastEnd() && !s.stop.load(std::memory_order_relaxed)) {
        const BitReader atStart = reader;
        if (!decoder.decode(reader, s.diffs.get() + n * decoder.blocks())) {
            reader = atStart; // out of step: try the next bit
            reader.consume(1);
            continue;
        }
        s.starts[n] = origin + atStart.position();
        s.ends[n] = origin + reader.position();
        if (++n % 64 == 0)
            s.published.store(n, std::memory_order_release);
    }
    s.published.store(n, std::memory_order_release);
    s.finished.store(true, std::memory_order_release);
}

// Where the first thread, decoding from the start, fell into step with the
// second: the MCUs it decoded itself, and the second thread's index of the
// MCU after them (-1 when never in step).
struct Meeting
{
    qsizetype decoded = 0;
    qsizetype theirs = -1;
};

std::optional<Meeting> decodeUntilInStep(const McuDecoder& decoder, BitReader& reader,
                                         std::uint64_t from, qsizetype total, const Speculation& s,
                                         std::int16_t* diffs)
{
    Meeting at;
    bool watching = true;
    qsizetype j = 0;
    while (at.decoded < total) {
        const std::uint64_t pos = reader.position();
        if (watching && pos >= from) {
            const bool finished = s.finished.load(std::memory_order_acquire);
            const qsizetype n = s.published.load(std::memory_order_acquire);
            while (j < n && s.starts[j] < pos)
                ++j;
            if (j < n && s.starts[j] == pos) {
                at.theirs = j;
                return at;
            }
            watching = j < n || !finished;
        }
        if (!decoder.decode(reader, diffs + at.decoded * decoder.blocks()))
            return std::nullopt;
        ++at.decoded;
    }
    if (reader.pastEnd())
        return std::nullopt;
    return at;
}

bool decodeShared(const JpegFrame& frame, const McuDecoder& decoder, qsizetype total,
                  std::int16_t* diffs)
{
    // The second thread starts half-way, on a data byte rather than on a
    // stuffed zero byte.
    qsizetype middle = frame.entropy.size() / 2;
    if (*entropyAt(frame, middle - 1) == 0xFF)
        ++middle;
    const auto stuffedBefore =
        std::lower_bound(frame.stuffedZeros.begin(), frame.stuffedZeros.end(), middle) -
        frame.stuffedZeros.begin();
    const std::uint64_t from = std::uint64_t(middle - stuffedBefore) * 8;
    const std::uint64_t dataBits =
        std::uint64_t(frame.entropy.size() - qsizetype(frame.stuffedZeros.size())) * 8;
    const int blocks = decoder.blocks();
    const std::uint8_t* end = entropyAt(frame, frame.entropy.size());
    Speculation s(total, blocks);
    BitReader reader(entropyAt(frame, 0), end);
    std::optional<Meeting> at;
    if (!runSideBySide(
            [&] { speculate(decoder, BitReader(entropyAt(frame, middle), end), from, s); },
            [&] {
                at = decodeUntilInStep(decoder, reader, from, total, s, diffs);
                s.stop.store(!at || at->theirs < 0, std::memory_order_relaxed);
            }))
        return decodeAll(frame, decoder, total, diffs);
    if (!at || at->theirs < 0)
        return at.has_value();
    // The second thread's MCUs from the meeting on, each starting where the
    // one before it ended, must make up the rest, within the data.
    const qsizetype n = s.published.load(std::memory_order_acquire);
    const qsizetype first = at->theirs;
    const qsizetype needed = total - at->decoded;
    if (n - first < needed)
        return false;
    for (qsizetype j = first + 1; j < first + needed; ++j) {
        if (s.starts[j] != s.ends[j - 1])
            return false;
    }
    if (needed > 0 && s.ends[first + needed - 1] > dataBits)
        return false;
    std::copy_n(s.diffs.get() + first * blocks, needed * blocks, diffs + at->decoded * blocks);
    return true;
}

bool decodeDcDifferences(const JpegFrame& frame, const McuLayout& layout, int threads,
                         std::int16_t* diffs)
{
    const McuDecoder decoder(layout);
    if (frame.restartInterval > 0)
        return decodeRestartIntervals(frame, decoder, layout.total(), threads, diffs);
    if (threads > 1 && frame.entropy.size() >= kMinBytesToShare)
        return decodeShared(frame, decoder, layout.total(), diffs);
    return decodeAll(frame, decoder, layout.total(), diffs);
}

// One sample per block of each component, as libjpeg's 1x1 inverse transform
// makes it: the dequantised DC coefficient divided by 8, rounded, shifted to
// unsigned and clamped.
struct Plane
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples;
    std::uint8_t at(int x, int y) const { return samples[std::size_t(y) * width + x]; }
};

std::vector<Plane> samplePlanes(const JpegFrame& frame, const McuLayout& layout,
                                const std::int16_t* diffs)
{
    std::vector<Plane> planes(frame.components.size());
    for (std::size_t c = 0; c < planes.size(); ++c) {
        planes[c].width = layout.columns * frame.components[c].horizontal;
        planes[c].height = layout.rows * frame.components[c].vertical;
        planes[c].samples.resize(std::size_t(planes[c].width) * planes[c].height);
    }
    // Where each block of an MCU goes: its sample in the MCU at the origin,
    // and how far the next MCU of a row and the next row of MCUs are.
    struct Target
    {
        std::uint8_t* origin;
        std::size_t columnStep;
        std::size_t rowStep;
        int component;
        int dequantizer;
    };
    std::array<Target, kMaxBlocksPerMcu> targets{};
    for (int b = 0; b < layout.blocks; ++b) {
        const BlockSlot& slot = layout.blockSlots[b];
        const JpegComponent& comp = frame.components[slot.component];
        Plane& plane = planes[slot.component];
        targets[b] = {plane.samples.data() + std::size_t(slot.y) * plane.width + slot.x,
                      std::size_t(comp.horizontal), std::size_t(comp.vertical) * plane.width,
                      slot.component, comp.dcDequantizer};
    }
    std::array<std::int64_t, 3> predictor{};
    int untilRestart = frame.restartInterval;
    const std::int16_t* diff = diffs;
    for (int my = 0; my < layout.rows; ++my) {
        for (int mx = 0; mx < layout.columns; ++mx) {
            if (frame.restartInterval > 0 && untilRestart-- == 0) {
                predictor = {};
                untilRestart = frame.restartInterval - 1;
            }
            for (int b = 0; b < layout.blocks; ++b, ++diff) {
                const Target& t = targets[b];
                std::int64_t& dc = predictor[t.component];
                dc += *diff;
                const std::int64_t value = ((dc * t.dequantizer + 4) >> 3) + 128;
                t.origin[my * t.rowStep + mx * t.columnStep] =
                    std::uint8_t(std::clamp<std::int64_t>(value, 0, 255));
            }
        }
    }
    return planes;
}

// The component's samples for one output row at full resolution, each 16
// times its value: a component sampled at half resolution (shift 1) is
// smoothed back up with weights 3/4 and 1/4 on its nearer and farther
// neighbours in each direction, as libjpeg's fancy upsampling does.
void upsampledRow(const Plane& plane, int xShift, int yShift, int y, int width,
                  std::vector<int>& columnSums, int* out)
{
    const int near = y >> yShift;
    const std::uint8_t* nearRow = plane.samples.data() + std::size_t(near) * plane.width;
    if (yShift == 0) {
        for (int x = 0; x < plane.width; ++x)
            columnSums[x] = 4 * nearRow[x];
    } else {
        const int far = (y & 1) != 0 ? std::min(near + 1, plane.height - 1) : std::max(near - 1, 0);
        const std::uint8_t* farRow = plane.samples.data() + std::size_t(far) * plane.width;
        for (int x = 0; x < plane.width; ++x)
            columnSums[x] = 3 * nearRow[x] + farRow[x];
    }
    if (xShift == 0) {
        for (int x = 0; x < width; ++x)
            out[x] = 4 * columnSums[x];
        return;
    }
    for (int x = 0; x < width; ++x) {
        const int n = x >> 1;
        const int f = (x & 1) != 0 ? std::min(n + 1, plane.width - 1) : std::max(n - 1, 0);
        out[x] = 3 * columnSums[n] + columnSums[f];
    }
}

// libjpeg's YCbCr to RGB tables (16 fractional bits, rounded alike).
struct YccTables
{
    std::array<int, 256> crToRed{};
    std::array<int, 256> cbToBlue{};
    std::array<int, 256> crToGreen{};
    std::array<int, 256> cbToGreen{};

    YccTables()
    {
        // 1.402, 1.772, 0.71414 and 0.34414 in 16 fractional bits.
        constexpr int kCrRed = 91881;
        constexpr int kCbBlue = 116130;
        constexpr int kCrGreen = 46802;
        constexpr int kCbGreen = 22554;
        for (int i = 0; i < 256; ++i) {
            const int x = i - 128;
            crToRed[i] = (kCrRed * x + 32768) >> 16;
            cbToBlue[i] = (kCbBlue * x + 32768) >> 16;
            crToGreen[i] = -kCrGreen * x;
            cbToGreen[i] = -kCbGreen * x + 32768;
        }
    }
};

inline quint32 rgb(int red, int green, int blue)
{
    return 0xFF000000u | quint32(red) << 16 | quint32(green) << 8 | quint32(blue);
}

inline int clampByte(int v)
{
    return std::clamp(v, 0, 255);
}

Rgb32Picture composePicture(const JpegFrame& frame, const std::vector<Plane>& planes)
{
    const int width = (frame.width + 7) / 8;
    const int height = (frame.height + 7) / 8;
    Rgb32Picture picture(width, height);
    static const YccTables ycc;
    int widest = 0;
    for (const Plane& plane : planes)
        widest = std::max(widest, plane.width);
    std::vector<int> columnSums(static_cast<std::size_t>(widest));
    std::vector<int> rows(std::size_t(width) * planes.size());
    for (int y = 0; y < height; ++y) {
        for (std::size_t c = 0; c < planes.size(); ++c) {
            const JpegComponent& comp = frame.components[c];
            upsampledRow(planes[c], frame.maxHorizontal / comp.horizontal - 1,
                         frame.maxVertical / comp.vertical - 1, y, width, columnSums,
                         rows.data() + c * width);
        }
        quint32* line = picture.row(y);
        for (int x = 0; x < width; ++x) {
            const int luma = (rows[x] + 8) >> 4;
            if (planes.size() == 1) {
                line[x] = rgb(luma, luma, luma);
                continue;
            }
            const int cb = (rows[width + x] + 8) >> 4;
            const int cr = (rows[2 * width + x] + 8) >> 4;
            line[x] = rgb(clampByte(luma + ycc.crToRed[cr]),
                          clampByte(luma + ((ycc.cbToGreen[cb] + ycc.crToGreen[cr]) >> 16)),
                          clampByte(luma + ycc.cbToBlue[cb]));
        }
    }
    return picture;
}

} // namespace

std::optional<Rgb32Picture> decodeJpegEighth(QByteArrayView bytes, int threads)
{
    const std::optional<JpegFrame> frame = readJpegFrame(bytes);
    if (!frame)
        return std::nullopt;
    const std::optional<McuLayout> layout = layOut(*frame);
    // Every block takes at least two bits (a DC code and an end-of-block
    // code): a frame that claims more blocks than its data can hold is cut
    // short, and nothing is allocated for what it merely claims.
    if (!layout || layout->total() == 0 ||
        layout->total() * layout->blocks > frame->entropy.size() * 4 ||
        qint64((frame->width + 7) / 8) * ((frame->height + 7) / 8) * 4 > kMaxDecodedBytes)
        return std::nullopt;
    const std::size_t blockCount = std::size_t(layout->total()) * std::size_t(layout->blocks);
    const auto diffs = std::make_unique_for_overwrite<std::int16_t[]>(
        std::max<std::size_t>(blockCount, 1)); // at least one block, as the checks above make sure
    if (!decodeDcDifferences(*frame, *layout, threads, diffs.get()))
        return std::nullopt;
    return composePicture(*frame, samplePlanes(*frame, *layout, diffs.get()));
}

} // namespace quorbell::album
