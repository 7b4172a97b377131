#include "core/PngEncoder.h"

#include <QtEndian>

#include <algorithm>
#include <array>

namespace quorbell {
namespace {

// CRC-32 as PNG chunks carry it (polynomial 0xEDB88320, reflected).
constexpr std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<quint32, 256> kCrcTable = makeCrcTable();

quint32 crc32(QByteArrayView bytes)
{
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes)
        c = kCrcTable[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendBigEndian32(QByteArray& out, quint32 v)
{
    char bytes[4];
    qToBigEndian(v, bytes);
    out.append(bytes, 4);
}

// Length, type, data and the CRC of type and data.
void appendChunk(QByteArray& out, const char (&type)[5], QByteArrayView data)
{
    appendBigEndian32(out, quint32(data.size()));
    const qsizetype typeAt = out.size();
    out.append(type, 4);
    out.append(data);
    appendBigEndian32(out, crc32(QByteArrayView(out).sliced(typeAt)));
}

} // namespace

QByteArray encodePng(const uchar* pixels, int width, int height, qsizetype stride, PngPixels layout)
{
    if (width <= 0 || height <= 0)
        return {};
    const bool alpha = layout == PngPixels::Rgba;
    const int channels = alpha ? 4 : 3;
    const qsizetype rowBytes = qsizetype(width) * channels;

    // Each row: the filter type 0 (none), then its bytes.
    QByteArray rows(height * (rowBytes + 1), Qt::Uninitialized);
    char* out = rows.data();
    for (int y = 0; y < height; ++y) {
        const uchar* line = pixels + y * stride;
        *out++ = 0;
        if (layout != PngPixels::Rgb32) {
            out = std::copy_n(reinterpret_cast<const char*>(line), rowBytes, out);
            continue;
        }
        const auto* words = reinterpret_cast<const quint32*>(line);
        for (int x = 0; x < width; ++x) {
            *out++ = char(words[x] >> 16);
            *out++ = char(words[x] >> 8);
            *out++ = char(words[x]);
        }
    }
    // Stored, not compressed; qCompress gives a zlib stream after a 4-byte
    // length of its own.
    const QByteArray deflated = qCompress(rows, 0);

    QByteArray header;
    appendBigEndian32(header, quint32(width));
    appendBigEndian32(header, quint32(height));
    header.append(char(8));             // bits per channel
    header.append(char(alpha ? 6 : 2)); // colour type: RGBA or RGB
    header.append(3, char(0));          // deflate, adaptive filtering, no interlace

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(deflated.size() + 64);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", QByteArrayView(deflated).sliced(4));
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace quorbell
