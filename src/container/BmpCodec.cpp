#include "container/BmpCodec.h"

#include "core/BinaryIO.h"
#include "core/RleBmp.h"
#include "core/ThumbnailFormat.h"

#include <QtEndian>

#include <limits>

namespace quorbell::container {
namespace {

enum Compression : quint32 { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

quint16 u16At(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 u32At(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

qint64 rowStride(qint64 width, int depth)
{
    return (width * depth + 31) / 32 * 4;
}

// 32-bit pixels laid out as Format_RGB32 already (blue, green, red, unused).
bool hasPlainMasks(QByteArrayView bmp, const BmpInfo& info)
{
    if (info.compression == kRgb)
        return true;
    // The three masks follow a 40-byte header and sit at the same place
    // inside the larger headers.
    const qint64 masksEnd = kBmpFileHeaderBytes + 40 + 12;
    if (info.compression != kBitfields || bmp.size() < masksEnd)
        return false;
    const char* m = bmp.data() + kBmpFileHeaderBytes + 40;
    return u32At(m) == 0x00FF0000 && u32At(m + 4) == 0x0000FF00 && u32At(m + 8) == 0x000000FF;
}

// Straight into the thumbnail format: the stored blue, green, red bytes
// become red, green, blue; a 32-bit picture's fourth byte is dropped.
QImage decodeDirect(QByteArrayView bmp, const BmpInfo& info)
{
    QImage image(info.width, info.height, kThumbnailFormat);
    if (image.isNull())
        return {};
    const qint64 stride = rowStride(info.width, info.depth);
    const int step = info.depth / 8;
    const uchar* pixels = reinterpret_cast<const uchar*>(bmp.data()) + info.dataOffset;
    for (int y = 0; y < info.height; ++y) {
        const uchar* src = pixels + stride * (info.topDown ? y : info.height - 1 - y);
        uchar* dst = image.scanLine(y);
        for (int x = 0; x < info.width; ++x, src += step, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    return image;
}

void put16(char*& p, quint16 v)
{
    qToLittleEndian(v, p);
    p += 2;
}

void put32(char*& p, quint32 v)
{
    qToLittleEndian(v, p);
    p += 4;
}

} // namespace

std::optional<BmpInfo> checkBmpHeader(QByteArrayView head, qint64 length)
{
    if (length < kBmpMinimumBytes || head.size() < std::min<qint64>(length, kBmpLargestHeaderBytes))
        return std::nullopt;
    const char* p = head.data();
    if (p[0] != 'B' || p[1] != 'M')
        return std::nullopt;
    BmpInfo info;
    info.fileSize = u32At(p + 2);
    info.dataOffset = u32At(p + 10);
    const quint32 headerSize = u32At(p + 14);
    switch (headerSize) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        break;
    default:
        return std::nullopt;
    }
    if (info.fileSize != length || kBmpFileHeaderBytes + qint64(headerSize) > length)
        return std::nullopt;
    info.headerSize = int(headerSize);

    qint64 width, height;
    int planes;
    quint32 coloursUsed = 0;
    if (headerSize == 12) { // the old core header: unsigned 16-bit sides, no compression
        width = u16At(p + 18);
        height = u16At(p + 20);
        planes = u16At(p + 22);
        info.depth = u16At(p + 24);
    } else {
        width = readI32(p + 18);
        height = readI32(p + 22);
        planes = u16At(p + 26);
        info.depth = u16At(p + 28);
        info.compression = u32At(p + 30);
        coloursUsed = u32At(p + 46);
    }
    info.topDown = height < 0;
    if (info.topDown)
        height = -height;
    if (width < 1 || width > kBmpMaxSide || height < 1 || height > kBmpMaxSide || planes != 1)
        return std::nullopt;
    info.width = int(width);
    info.height = int(height);

    switch (info.depth) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return std::nullopt;
    }
    const bool compressed = info.compression == kRle8 || info.compression == kRle4;
    switch (info.compression) {
    case kRgb:
        break;
    case kRle8:
    case kRle4:
        if (info.depth != (info.compression == kRle8 ? 8 : 4) || info.topDown)
            return std::nullopt;
        break;
    case kBitfields:
        if (info.depth != 16 && info.depth != 32)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }

    qint64 tablesEnd = kBmpFileHeaderBytes + headerSize;
    if (info.depth <= 8) {
        const quint32 maxColours = 1u << info.depth;
        if (coloursUsed > maxColours)
            return std::nullopt;
        tablesEnd += qint64(coloursUsed ? coloursUsed : maxColours) * (headerSize == 12 ? 3 : 4);
    } else if (info.compression == kBitfields && headerSize == 40) {
        tablesEnd += 12; // the three colour masks
    }
    if (tablesEnd > length || info.dataOffset < kBmpFileHeaderBytes + headerSize ||
        info.dataOffset > length)
        return std::nullopt;

    if (compressed) {
        if (qint64(info.width) * info.height > kBmpMaxPixelsPerByte * length)
            return std::nullopt;
    } else if (info.dataOffset + rowStride(info.width, info.depth) * info.height > length) {
        return std::nullopt;
    }
    return info;
}

QImage decodeBmp(QByteArrayView bmp)
{
    const std::optional<BmpInfo> info = checkBmpHeader(bmp, bmp.size());
    if (!info)
        return {};
    if ((info->depth == 24 && info->compression == kRgb) ||
        (info->depth == 32 && hasPlainMasks(bmp, *info)))
        return decodeDirect(bmp, *info);
    QImage image;
    if (info->compression == kRle8 || info->compression == kRle4)
        image = decodeRleBmp(bmp); // every pixel defined, also where the runs stop short
    else if (!image.loadFromData(bmp, "BMP"))
        return {};
    if (image.width() != info->width || image.height() != info->height)
        return {};
    return toThumbnailFormat(image);
}

qint64 bmp24FileSize(int width, int height)
{
    const qint64 size = 54 + rowStride(width, 24) * height;
    return size > std::numeric_limits<qint32>::max() ? -1 : size;
}

void encodeBmp24Into(const QImage& image, char* out)
{
    // Thumbnails are 24-bit already; anything else is read as 32-bit RGB.
    const bool packed = image.format() == QImage::Format_RGB888;
    const QImage src =
        packed || image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
            ? image
            : image.convertToFormat(QImage::Format_RGB32);
    const int w = src.width();
    const int h = src.height();
    const qint64 stride = rowStride(w, 24);
    char* p = out;
    *p++ = 'B';
    *p++ = 'M';
    put32(p, quint32(bmp24FileSize(w, h)));
    put32(p, 0);  // reserved
    put32(p, 54); // pixels follow the two headers
    put32(p, 40);
    put32(p, quint32(w));
    put32(p, quint32(h)); // positive: bottom-up rows
    put16(p, 1);          // planes
    put16(p, 24);
    put32(p, kRgb);
    put32(p, quint32(stride * h));
    put32(p, 0); // horizontal and vertical resolution: unknown
    put32(p, 0);
    put32(p, 0); // colours used, important: none (no palette)
    put32(p, 0);
    const qint64 pad = stride - qint64(w) * 3;
    for (int y = 0; y < h; ++y) {
        uchar* dst = reinterpret_cast<uchar*>(out + 54 + stride * y);
        if (packed) {
            const uchar* row = src.constScanLine(h - 1 - y);
            for (int x = 0; x < w; ++x, dst += 3, row += 3) {
                dst[0] = row[2];
                dst[1] = row[1];
                dst[2] = row[0];
            }
        } else {
            const quint32* row = reinterpret_cast<const quint32*>(src.constScanLine(h - 1 - y));
            for (int x = 0; x < w; ++x, dst += 3) {
                const quint32 px = row[x];
                dst[0] = uchar(px);
                dst[1] = uchar(px >> 8);
                dst[2] = uchar(px >> 16);
            }
        }
        for (qint64 i = 0; i < pad; ++i)
            dst[i] = 0;
    }
}

QByteArray encodeBmp24(const QImage& image)
{
    const qint64 size = bmp24FileSize(image.width(), image.height());
    if (image.isNull() || size < 0)
        return {};
    QByteArray out(size, Qt::Uninitialized);
    encodeBmp24Into(image, out.data());
    return out;
}

} // namespace quorbell::container
