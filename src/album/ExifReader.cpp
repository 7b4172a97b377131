#include "album/ExifReader.h"

#include <algorithm>

namespace quorbell::album {
namespace {

// Segments looked at before the EXIF one; cameras write it first or second.
constexpr int kMaxSegments = 64;

constexpr quint16 kTagOrientation = 0x0112;
constexpr quint16 kTagThumbnailOffset = 0x0201; // JPEGInterchangeFormat
constexpr quint16 kTagThumbnailLength = 0x0202; // JPEGInterchangeFormatLength
constexpr quint16 kTypeShort = 3;
constexpr quint16 kTypeLong = 4;
constexpr qint64 kEntryBytes = 12;

// The TIFF structure inside the EXIF segment, offsets counted from its
// start. The reads themselves are unchecked: every caller first asks fits().
class TiffView
{
public:
    TiffView(const uchar* data, qint64 size, bool bigEndian)
        : m_data(data), m_size(size), m_bigEndian(bigEndian)
    {
    }

    qint64 size() const { return m_size; }
    bool fits(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }
    quint16 u16(qint64 at) const
    {
        const quint16 a = m_data[at], b = m_data[at + 1];
        return m_bigEndian ? quint16(a << 8 | b) : quint16(b << 8 | a);
    }
    quint32 u32(qint64 at) const
    {
        const quint32 first = u16(at), second = u16(at + 2);
        return m_bigEndian ? first << 16 | second : second << 16 | first;
    }
    const uchar* at(qint64 offset) const { return m_data + offset; }

private:
    const uchar* m_data;
    qint64 m_size;
    bool m_bigEndian;
};

// One image directory whose entry table lies wholly inside the data.
struct Directory
{
    qint64 offset = 0;
    int count = 0;
    std::optional<qint64> next; // offset of the following directory; none when 0 or cut off
};

std::optional<Directory> directoryAt(const TiffView& t, qint64 offset)
{
    // Directories follow the 8-byte header.
    if (offset < 8 || !t.fits(offset, 2))
        return std::nullopt;
    Directory d;
    d.offset = offset;
    d.count = t.u16(offset);
    const qint64 entriesEnd = offset + 2 + d.count * kEntryBytes;
    if (!t.fits(offset, entriesEnd - offset))
        return std::nullopt;
    if (t.fits(entriesEnd, 4)) {
        const quint32 next = t.u32(entriesEnd);
        if (next != 0)
            d.next = next;
    }
    return d;
}

// Offset of the first entry with `tag`; the first one counts when a writer
// repeated a tag.
std::optional<qint64> findEntry(const TiffView& t, const Directory& d, quint16 tag)
{
    for (int i = 0; i < d.count; ++i) {
        const qint64 e = d.offset + 2 + i * kEntryBytes;
        if (t.u16(e) == tag)
            return e;
    }
    return std::nullopt;
}

// The value of an entry that holds one SHORT or one LONG, as the thumbnail's
// offset and length are written.
std::optional<quint32> numberTag(const TiffView& t, const Directory& d, quint16 tag)
{
    const std::optional<qint64> e = findEntry(t, d, tag);
    if (!e || t.u32(*e + 4) != 1)
        return std::nullopt;
    const quint16 type = t.u16(*e + 2);
    if (type == kTypeShort)
        return t.u16(*e + 8);
    if (type == kTypeLong)
        return t.u32(*e + 8);
    return std::nullopt;
}

int orientationIn(const TiffView& t, const Directory& ifd0)
{
    // The tag is one SHORT from 1 to 8; anything else is a damaged tag.
    const std::optional<qint64> e = findEntry(t, ifd0, kTagOrientation);
    if (!e || t.u16(*e + 2) != kTypeShort || t.u32(*e + 4) != 1)
        return 1;
    const int v = t.u16(*e + 8);
    return v >= 1 && v <= 8 ? v : 1;
}

// The embedded thumbnail of the second directory, as an offset and a length
// inside the TIFF data.
std::optional<ByteRange> thumbnailIn(const TiffView& t, const Directory& ifd0)
{
    // Only the directory after the first is read, and never the first again:
    // a chain that points back cannot make the walk go round.
    if (!ifd0.next || *ifd0.next == ifd0.offset)
        return std::nullopt;
    const std::optional<Directory> ifd1 = directoryAt(t, *ifd0.next);
    if (!ifd1)
        return std::nullopt;
    const std::optional<quint32> offset = numberTag(t, *ifd1, kTagThumbnailOffset);
    const std::optional<quint32> length = numberTag(t, *ifd1, kTagThumbnailLength);
    if (!offset || !length || *length < 4 || *offset < 8 || !t.fits(*offset, *length))
        return std::nullopt;
    const uchar* soi = t.at(*offset);
    if (soi[0] != 0xFF || soi[1] != 0xD8)
        return std::nullopt;
    return ByteRange{qint64(*offset), qint64(*length)};
}

ExifFacts readTiff(const uchar* data, qint64 size, qint64 startInBytes)
{
    ExifFacts facts;
    if (size < 8)
        return facts;
    bool bigEndian = false;
    if (data[0] == 'M' && data[1] == 'M')
        bigEndian = true;
    else if (!(data[0] == 'I' && data[1] == 'I'))
        return facts;
    const TiffView t(data, size, bigEndian);
    if (t.u16(2) != 42)
        return facts;
    const std::optional<Directory> ifd0 = directoryAt(t, t.u32(4));
    if (!ifd0)
        return facts;
    facts.orientation = orientationIn(t, *ifd0);
    if (const std::optional<ByteRange> r = thumbnailIn(t, *ifd0))
        facts.thumbnail = ByteRange{startInBytes + r->offset, r->length};
    return facts;
}

bool isExifPayload(const uchar* p, qint64 n)
{
    static constexpr uchar kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    return n >= qint64(sizeof kExif) && std::equal(kExif, kExif + sizeof kExif, p);
}

} // namespace

ExifFacts readExifFacts(QByteArrayView bytes)
{
    const auto* b = reinterpret_cast<const uchar*>(bytes.data());
    const qint64 n = bytes.size();
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return {};
    qint64 pos = 2;
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        // A marker may be preceded by any number of 0xFF fill bytes.
        while (pos + 1 < n && b[pos] == 0xFF && b[pos + 1] == 0xFF)
            ++pos;
        if (pos + 4 > n || b[pos] != 0xFF)
            return {};
        const uchar marker = b[pos + 1];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            pos += 2; // markers without a length
            continue;
        }
        if (marker == 0xDA || marker == 0xD9)
            return {}; // the image data begins: no EXIF segment before it
        const qint64 length = qint64(b[pos + 2]) << 8 | b[pos + 3];
        if (length < 2)
            return {};
        const qint64 payload = pos + 4;
        // A segment cut off by the end of the bytes given is read as far as
        // it goes: the orientation usually comes first in it.
        const qint64 payloadEnd = std::min(pos + 2 + length, n);
        if (marker == 0xE1 && isExifPayload(b + payload, payloadEnd - payload))
            return readTiff(b + payload + 6, payloadEnd - payload - 6, payload + 6);
        pos += 2 + length;
    }
    return {};
}

QSize orientedSize(QSize stored, int orientation)
{
    return orientation >= 5 && orientation <= 8 ? stored.transposed() : stored;
}

} // namespace quorbell::album
