#include "core/RleBmp.h"

#include <QtEndian>

#include <algorithm>
#include <optional>

namespace quorbell {
namespace {

constexpr qint64 kFileHeaderBytes = 14;
constexpr quint32 kRle8 = 1;
constexpr quint32 kRle4 = 2;
constexpr int kMaxSide = 32767;

quint32 u32At(QByteArrayView b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

struct RleLayout
{
    int width = 0;
    int height = 0;
    bool fourBit = false;
    qint64 paletteAt = 0;
    int paletteColours = 0;
    qint64 dataAt = 0;
};

// The compression field of an information header of 40 bytes or more.
bool hasRleCompression(QByteArrayView bmp)
{
    if (bmp.size() < kFileHeaderBytes + 40 || bmp[0] != 'B' || bmp[1] != 'M')
        return false;
    const quint32 compression = u32At(bmp, 30);
    return u32At(bmp, 14) >= 40 && (compression == kRle8 || compression == kRle4);
}

std::optional<RleLayout> readLayout(QByteArrayView bmp)
{
    if (!hasRleCompression(bmp))
        return std::nullopt;
    const qint64 headerSize = u32At(bmp, 14);
    const qint32 width = qint32(u32At(bmp, 18));
    const qint32 height = qint32(u32At(bmp, 22)); // negative (top-down) is not allowed for RLE
    const quint16 depth = qFromLittleEndian<quint16>(bmp.data() + 28);
    const bool fourBit = u32At(bmp, 30) == kRle4;
    if (depth != (fourBit ? 4 : 8) || width < 1 || width > kMaxSide || height < 1 ||
        height > kMaxSide || qint64(width) * height * 4 > kRleMaxDecodedBytes)
        return std::nullopt;
    const quint32 maxColours = fourBit ? 16 : 256;
    const quint32 used = u32At(bmp, 46);
    if (used > maxColours)
        return std::nullopt;
    RleLayout l;
    l.width = width;
    l.height = height;
    l.fourBit = fourBit;
    l.paletteAt = kFileHeaderBytes + headerSize;
    l.paletteColours = int(used ? used : maxColours);
    l.dataAt = u32At(bmp, 10);
    if (l.paletteAt + qint64(l.paletteColours) * 4 > bmp.size() || l.dataAt < l.paletteAt ||
        l.dataAt > bmp.size())
        return std::nullopt;
    return l;
}

// Expands the runs into palette indices of a picture that already holds index
// 0 everywhere. Row 0 of the runs is the bottom row of the picture. Every read
// is checked against the end of the data; the expansion stops at the
// end-of-picture mark, at the end of the data or past the top row.
void expandRuns(QByteArrayView runs, const RleLayout& l, QImage& indexed)
{
    const auto* p = reinterpret_cast<const uchar*>(runs.data());
    const uchar* const end = p + runs.size();
    uchar* const bits = indexed.bits();
    const qsizetype bytesPerLine = indexed.bytesPerLine();
    int x = 0;
    int y = 0;
    auto put = [&](int index) {
        if (x < l.width)
            bits[(l.height - 1 - y) * bytesPerLine + x] = uchar(index);
        // Past the right edge nothing is drawn; x stays bounded.
        x = std::min(x + 1, l.width);
    };
    auto nibble = [](uchar byte, int i) { return i % 2 == 0 ? byte >> 4 : byte & 0x0F; };

    while (y < l.height && end - p >= 2) {
        const int count = p[0];
        const uchar value = p[1];
        p += 2;
        if (count > 0) { // a run of one index (RLE8) or of two alternating ones (RLE4)
            for (int i = 0; i < count && x < l.width; ++i)
                put(l.fourBit ? nibble(value, i) : value);
            continue;
        }
        switch (value) {
        case 0: // end of the row
            x = 0;
            ++y;
            break;
        case 1: // end of the picture
            return;
        case 2: // delta: right and up; the pixels passed over keep index 0
            if (end - p < 2)
                return;
            x = std::min(x + p[0], l.width);
            y += p[1];
            p += 2;
            break;
        default: { // absolute: `value` indices follow, padded to an even byte count
            const int n = value;
            const qint64 bytes = l.fourBit ? (n + 1) / 2 : n;
            const qint64 have = std::min<qint64>(bytes, end - p);
            for (int i = 0; i < n; ++i) {
                const qint64 at = l.fourBit ? i / 2 : i;
                if (at >= have)
                    return; // the data ends inside the run
                put(l.fourBit ? nibble(p[at], i) : p[at]);
            }
            p += std::min<qint64>(bytes + (bytes & 1), end - p);
            break;
        }
        }
    }
}

} // namespace

bool isRleBmp(QByteArrayView bmp)
{
    return hasRleCompression(bmp);
}

QImage decodeRleBmp(QByteArrayView bmp)
{
    const std::optional<RleLayout> l = readLayout(bmp);
    if (!l)
        return {};
    QImage indexed(l->width, l->height, QImage::Format_Indexed8);
    if (indexed.isNull())
        return {};
    indexed.fill(0);
    // Indices beyond the palette show black, as in every other BMP decode.
    QList<QRgb> colours(256, qRgb(0, 0, 0));
    for (int i = 0; i < l->paletteColours; ++i) {
        const auto* c = reinterpret_cast<const uchar*>(bmp.data() + l->paletteAt + i * 4);
        colours[i] = qRgb(c[2], c[1], c[0]);
    }
    indexed.setColorTable(colours);
    expandRuns(bmp.sliced(l->dataAt), *l, indexed);
    return indexed.convertToFormat(QImage::Format_RGB32);
}

} // namespace quorbell
