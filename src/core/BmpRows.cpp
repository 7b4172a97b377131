#include "core/BmpRows.h"

#include <QtEndian>

#include <cstdlib>
#include <cstring>

namespace quorbell {
namespace {

constexpr qint64 kFileHeaderBytes = 14;

quint16 u16At(QByteArrayView b, qint64 at)
{
    return qFromLittleEndian<quint16>(b.data() + at);
}

quint32 u32At(QByteArrayView b, qint64 at)
{
    return qFromLittleEndian<quint32>(b.data() + at);
}

} // namespace

std::optional<QByteArray> completedBmpRows(QByteArrayView bmp)
{
    if (bmp.size() < kFileHeaderBytes + 12 || bmp[0] != 'B' || bmp[1] != 'M')
        return std::nullopt;
    const quint32 headerSize = u32At(bmp, 14);
    qint64 width, height;
    int depth;
    if (headerSize == 12) { // the old core header: 16-bit sides, never compressed
        width = u16At(bmp, 18);
        height = u16At(bmp, 20);
        depth = u16At(bmp, 24);
    } else {
        const quint32 rgb = 0, bitfields = 3;
        if (headerSize < 40 || bmp.size() < kFileHeaderBytes + 40)
            return std::nullopt;
        const quint32 compression = u32At(bmp, 30);
        if (compression != rgb && compression != bitfields)
            return std::nullopt;
        width = qint32(u32At(bmp, 18));
        height = std::abs(qint64(qint32(u32At(bmp, 22))));
        depth = u16At(bmp, 28);
    }
    if (width < 1 || height < 1 || depth < 1 || depth > 32)
        return std::nullopt;
    const qint64 stride = (width * depth + 31) / 32 * 4;
    const qint64 end = qint64(u32At(bmp, 10)) + stride * height;
    if (end <= bmp.size() || end > kBmpMaxCompletedBytes)
        return std::nullopt;
    QByteArray completed(end, '\0');
    std::memcpy(completed.data(), bmp.data(), size_t(bmp.size()));
    return completed;
}

} // namespace quorbell
