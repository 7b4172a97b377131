#include "GifEncoder.h"

#include <unordered_map>

namespace quorbell::tools {
namespace {

constexpr int kRedLevels = 6, kGreenLevels = 7, kBlueLevels = 6;

int level(int v, int levels)
{
    return (v * (levels - 1) + 127) / 255;
}
int levelValue(int l, int levels)
{
    return l * 255 / (levels - 1);
}

int paletteIndex(QRgb c)
{
    return (level(qRed(c), kRedLevels) * kGreenLevels + level(qGreen(c), kGreenLevels)) *
               kBlueLevels +
           level(qBlue(c), kBlueLevels);
}

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

// Packs variable-width codes least significant bit first into 255-byte sub-blocks.
class CodeWriter
{
public:
    explicit CodeWriter(QByteArray& out) : m_out(out) {}
    void write(int code, int bits)
    {
        m_acc |= quint32(code) << m_accBits;
        m_accBits += bits;
        while (m_accBits >= 8) {
            byte(char(m_acc & 0xFF));
            m_acc >>= 8;
            m_accBits -= 8;
        }
    }
    void finish()
    {
        if (m_accBits > 0)
            byte(char(m_acc & 0xFF));
        flushBlock();
        m_out.append('\0'); // block terminator
    }

private:
    void byte(char c)
    {
        m_block.append(c);
        if (m_block.size() == 255)
            flushBlock();
    }
    void flushBlock()
    {
        if (m_block.isEmpty())
            return;
        m_out.append(char(m_block.size()));
        m_out.append(m_block);
        m_block.clear();
    }

    QByteArray& m_out;
    QByteArray m_block;
    quint32 m_acc = 0;
    int m_accBits = 0;
};

} // namespace

QRgb gifPaletteColour(QRgb c)
{
    return qRgb(levelValue(level(qRed(c), kRedLevels), kRedLevels),
                levelValue(level(qGreen(c), kGreenLevels), kGreenLevels),
                levelValue(level(qBlue(c), kBlueLevels), kBlueLevels));
}

QByteArray encodeGif(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    QByteArray out("GIF89a");
    put16(out, w);
    put16(out, h);
    out.append(char(0xF7)); // global colour table of 256 entries, 8-bit colour resolution
    out.append('\0');       // background colour index
    out.append('\0');       // no aspect ratio
    for (int i = 0; i < 256; ++i) {
        const int r = i / (kGreenLevels * kBlueLevels), g = (i / kBlueLevels) % kGreenLevels,
                  b = i % kBlueLevels;
        const bool used = i < kRedLevels * kGreenLevels * kBlueLevels;
        out.append(char(used ? levelValue(r, kRedLevels) : 0));
        out.append(char(used ? levelValue(g, kGreenLevels) : 0));
        out.append(char(used ? levelValue(b, kBlueLevels) : 0));
    }
    out.append(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, w);
    put16(out, h);
    out.append('\0'); // no local colour table, not interlaced

    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize, kEnd = kClear + 1, kLastCode = 4095;
    out.append(char(kMinCodeSize));
    CodeWriter codes(out);
    std::unordered_map<quint32, int> dict;
    int codeSize = kMinCodeSize + 1;
    int nextCode = kEnd + 1;
    // After each code is written, a table that has reached the width's limit
    // widens the codes that follow, as the decoder will.
    auto put = [&](int code) {
        codes.write(code, codeSize);
        if (nextCode >= (1 << codeSize) && codeSize < 12)
            ++codeSize;
    };
    put(kClear);
    int prefix = -1;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const int k = paletteIndex(line[x]);
            if (prefix < 0) {
                prefix = k;
                continue;
            }
            const quint32 key = quint32(prefix) << 8 | quint32(k);
            const auto found = dict.find(key);
            if (found != dict.end()) {
                prefix = found->second;
                continue;
            }
            put(prefix);
            if (nextCode >= kLastCode) {
                put(kClear);
                dict.clear();
                codeSize = kMinCodeSize + 1;
                nextCode = kEnd + 1;
            } else {
                dict.emplace(key, nextCode++);
            }
            prefix = k;
        }
    }
    if (prefix >= 0)
        put(prefix);
    put(kEnd);
    codes.finish();
    out.append(';');
    return out;
}

} // namespace quorbell::tools
