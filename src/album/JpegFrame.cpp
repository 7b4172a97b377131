#include "album/JpegFrame.h"

#include <algorithm>
#include <cstring>

namespace quorbell::album {
namespace {

constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSof0 = 0xC0; // baseline
constexpr std::uint8_t kSof1 = 0xC1; // extended sequential, Huffman
constexpr std::uint8_t kDht = 0xC4;
constexpr std::uint8_t kDqt = 0xDB;
constexpr std::uint8_t kDri = 0xDD;
constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kApp14 = 0xEE;
constexpr std::uint8_t kRst0 = 0xD0;
constexpr std::uint8_t kRst7 = 0xD7;

// Any other start-of-frame marker: progressive, lossless, arithmetic coding.
bool isOtherFrameMarker(std::uint8_t m)
{
    return m >= 0xC2 && m <= 0xCF && m != kDht && m != 0xC8 && m != 0xCC;
}

struct Segment
{
    std::uint8_t marker = 0;
    const std::uint8_t* data = nullptr; // after the length field
    int length = 0;
};

class MarkerReader
{
public:
    explicit MarkerReader(QByteArrayView bytes)
        : m_data(reinterpret_cast<const std::uint8_t*>(bytes.data())), m_size(bytes.size())
    {
    }

    // The next marker segment; nothing at the end of the bytes or when they
    // are not where a marker must be.
    std::optional<Segment> next()
    {
        if (m_pos >= m_size || m_data[m_pos] != 0xFF)
            return std::nullopt;
        while (m_pos < m_size && m_data[m_pos] == 0xFF) // fill bytes
            ++m_pos;
        if (m_pos >= m_size)
            return std::nullopt;
        Segment s;
        s.marker = m_data[m_pos++];
        if (s.marker == kSoi || s.marker == kEoi || (s.marker >= kRst0 && s.marker <= kRst7))
            return s; // no length field
        if (m_size - m_pos < 2)
            return std::nullopt;
        const int length = (m_data[m_pos] << 8) | m_data[m_pos + 1];
        if (length < 2 || length > m_size - m_pos)
            return std::nullopt;
        s.data = m_data + m_pos + 2;
        s.length = length - 2;
        m_pos += length;
        return s;
    }

    qsizetype position() const { return m_pos; }
    const std::uint8_t* data() const { return m_data; }
    qsizetype size() const { return m_size; }

private:
    const std::uint8_t* m_data;
    qsizetype m_size;
    qsizetype m_pos = 2; // after SOI
};

// How many coefficients an AC symbol moves past: its run of zeros and its
// own coefficient; sixteen zeros; or the rest of the block.
int acAdvance(int runAndSize)
{
    if ((runAndSize & 0x0F) != 0)
        return (runAndSize >> 4) + 1;
    return runAndSize == 0xF0 ? 16 : 64;
}

bool buildHuffmanTable(const std::uint8_t* counts, const std::uint8_t* symbols, int total,
                       HuffmanTable& t)
{
    t = HuffmanTable{};
    std::copy(symbols, symbols + total, t.values.begin());
    int code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int n = counts[length - 1];
        // Codes that overflow their length make no prefix code; nor, as
        // libjpeg rules, does a code of all one bits.
        if (code + n >= (1 << length))
            return false;
        t.valueBase[length] = index - code;
        t.maxCode[length] = n > 0 ? code + n - 1 : -1;
        for (int i = 0; i < n; ++i, ++code, ++index) {
            if (length > HuffmanTable::kFastBits)
                continue;
            const int shift = HuffmanTable::kFastBits - length;
            const int symbol = t.values[index];
            std::fill_n(t.fast.begin() + (code << shift), 1 << shift,
                        std::uint16_t((length << 8) | symbol));
            std::fill_n(t.acSkip.begin() + (code << shift), 1 << shift,
                        std::uint16_t(((length + (symbol & 0x0F)) << 8) | acAdvance(symbol)));
        }
        code <<= 1;
    }
    return true;
}

bool readHuffmanTables(const Segment& s, JpegFrame& frame, std::array<bool, 8>& defined)
{
    int pos = 0;
    while (pos < s.length) {
        if (s.length - pos < 17)
            return false;
        const int classAndId = s.data[pos];
        const int tableClass = classAndId >> 4;
        const int id = classAndId & 0x0F;
        if (tableClass > 1 || id > 3)
            return false;
        const std::uint8_t* counts = s.data + pos + 1;
        int total = 0;
        for (int i = 0; i < 16; ++i)
            total += counts[i];
        if (total > 256 || s.length - pos - 17 < total)
            return false;
        HuffmanTable& t = tableClass == 0 ? frame.dcTables[id] : frame.acTables[id];
        if (!buildHuffmanTable(counts, s.data + pos + 17, total, t))
            return false;
        defined[tableClass * 4 + id] = true;
        pos += 17 + total;
    }
    return true;
}

bool readQuantTables(const Segment& s, std::array<int, 4>& dcQuant)
{
    int pos = 0;
    while (pos < s.length) {
        const int precision = s.data[pos] >> 4;
        const int id = s.data[pos] & 0x0F;
        const int size = precision == 0 ? 64 : 128;
        if (precision > 1 || id > 3 || s.length - pos - 1 < size)
            return false;
        dcQuant[id] = precision == 0 ? s.data[pos + 1] : (s.data[pos + 1] << 8) | s.data[pos + 2];
        pos += 1 + size;
    }
    return true;
}

struct FrameComponent
{
    int id = 0;
    int horizontal = 1;
    int vertical = 1;
    int quantTable = 0;
};

bool readFrameHeader(const Segment& s, JpegFrame& frame, std::vector<FrameComponent>& comps)
{
    if (s.length < 6 || s.data[0] != 8)
        return false;
    frame.height = (s.data[1] << 8) | s.data[2];
    frame.width = (s.data[3] << 8) | s.data[4];
    const int count = s.data[5];
    if (frame.width == 0 || frame.height == 0 || (count != 1 && count != 3) ||
        s.length < 6 + 3 * count)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* c = s.data + 6 + 3 * i;
        FrameComponent fc{c[0], c[1] >> 4, c[1] & 0x0F, c[2]};
        if (fc.horizontal < 1 || fc.horizontal > 2 || fc.vertical < 1 || fc.vertical > 2 ||
            fc.quantTable > 3)
            return false;
        frame.maxHorizontal = std::max(frame.maxHorizontal, fc.horizontal);
        frame.maxVertical = std::max(frame.maxVertical, fc.vertical);
        comps.push_back(fc);
    }
    return true;
}

// Three components named R, G and B hold RGB, not YCbCr.
bool namesRgb(const std::vector<FrameComponent>& comps)
{
    return comps.size() == 3 && comps[0].id == 'R' && comps[1].id == 'G' && comps[2].id == 'B';
}

// An Adobe segment with colour transform 0 marks three components as RGB.
bool isAdobeWithoutTransform(const Segment& s)
{
    return s.length >= 12 && std::memcmp(s.data, "Adobe", 5) == 0 && s.data[11] == 0;
}

bool readScanHeader(const Segment& s, const std::vector<FrameComponent>& comps,
                    const std::array<int, 4>& dcQuant, const std::array<bool, 8>& definedTables,
                    JpegFrame& frame)
{
    if (s.length < 1)
        return false;
    const int count = s.data[0];
    if (count != int(comps.size()) || s.length != 4 + 2 * count)
        return false;
    for (int i = 0; i < count; ++i) {
        const int id = s.data[1 + 2 * i];
        const int tables = s.data[2 + 2 * i];
        const auto fc = std::find_if(comps.begin(), comps.end(),
                                     [id](const FrameComponent& c) { return c.id == id; });
        if (fc == comps.end())
            return false;
        JpegComponent c;
        c.horizontal = count == 1 ? 1 : fc->horizontal;
        c.vertical = count == 1 ? 1 : fc->vertical;
        c.dcDequantizer = dcQuant[fc->quantTable];
        c.dcTable = tables >> 4;
        c.acTable = tables & 0x0F;
        if (c.dcTable > 3 || c.acTable > 3 || !definedTables[c.dcTable] ||
            !definedTables[4 + c.acTable] || c.dcDequantizer <= 0)
            return false;
        frame.components.push_back(c);
    }
    if (count == 1) {
        // A lone component is coded block by block whatever its sampling.
        frame.maxHorizontal = 1;
        frame.maxVertical = 1;
    }
    const std::uint8_t* tail = s.data + 1 + 2 * count;
    return tail[0] == 0 && tail[1] == 63 && tail[2] == 0; // the whole of a sequential scan
}

// Finds the end of the entropy-coded bytes from `start` (the first marker
// other than a restart marker), noting the stuffed zero bytes and the
// restart markers on the way.
bool scanEntropy(const std::uint8_t* data, qsizetype size, qsizetype start, JpegFrame& frame)
{
    const std::uint8_t* const begin = data + start;
    const qsizetype length = size - start;
    qsizetype pos = 0;
    qsizetype end = length;
    while (pos < length) {
        const void* found = std::memchr(begin + pos, 0xFF, size_t(length - pos));
        if (!found)
            break;
        const qsizetype at = static_cast<const std::uint8_t*>(found) - begin;
        qsizetype after = at + 1;
        while (after < length && begin[after] == 0xFF) // fill bytes before a marker
            ++after;
        if (after >= length) {
            end = at;
            break;
        }
        const std::uint8_t code = begin[after];
        if (code == 0 && after == at + 1) {
            frame.stuffedZeros.push_back(after);
        } else if (code >= kRst0 && code <= kRst7) {
            if (code - kRst0 != int(frame.restarts.size() % 8))
                return false;
            frame.restarts.push_back({at, after + 1});
        } else {
            end = at;
            break;
        }
        pos = after + 1;
    }
    frame.entropy = QByteArrayView(begin, end);
    return frame.restartInterval > 0 || frame.restarts.empty();
}

} // namespace

std::optional<JpegFrame> readJpegFrame(QByteArrayView bytes)
{
    if (bytes.size() < 4 || std::uint8_t(bytes[0]) != 0xFF || std::uint8_t(bytes[1]) != kSoi)
        return std::nullopt;
    JpegFrame frame;
    std::vector<FrameComponent> comps;
    std::array<int, 4> dcQuant{};
    std::array<bool, 8> definedTables{};
    bool rgb = false;
    MarkerReader reader(bytes);
    while (const std::optional<Segment> s = reader.next()) {
        if (s->marker == kSof0 || s->marker == kSof1) {
            if (!comps.empty() || !readFrameHeader(*s, frame, comps))
                return std::nullopt;
        } else if (isOtherFrameMarker(s->marker) || s->marker == kSoi || s->marker == kEoi) {
            return std::nullopt;
        } else if (s->marker == kDht) {
            if (!readHuffmanTables(*s, frame, definedTables))
                return std::nullopt;
        } else if (s->marker == kDqt) {
            if (!readQuantTables(*s, dcQuant))
                return std::nullopt;
        } else if (s->marker == kDri) {
            if (s->length != 2)
                return std::nullopt;
            frame.restartInterval = (s->data[0] << 8) | s->data[1];
        } else if (s->marker == kApp14) {
            rgb = rgb || isAdobeWithoutTransform(*s);
        } else if (s->marker == kSos) {
            if (comps.empty() || (comps.size() == 3 && (rgb || namesRgb(comps))) ||
                !readScanHeader(*s, comps, dcQuant, definedTables, frame) ||
                !scanEntropy(reader.data(), reader.size(), reader.position(), frame))
                return std::nullopt;
            for (const JpegComponent& c : frame.components) {
                if (frame.maxHorizontal > 2 * c.horizontal || frame.maxVertical > 2 * c.vertical)
                    return std::nullopt;
            }
            return frame;
        }
    }
    return std::nullopt;
}

} // namespace quorbell::album
