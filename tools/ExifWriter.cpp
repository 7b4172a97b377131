#include "ExifWriter.h"

#include <QtEndian>

namespace quorbell::tools {
namespace {

class TiffWriter
{
public:
    explicit TiffWriter(bool bigEndian) : m_bigEndian(bigEndian) {}

    QByteArray& bytes() { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }
    void u16(quint16 v)
    {
        char b[2];
        if (m_bigEndian)
            qToBigEndian(v, b);
        else
            qToLittleEndian(v, b);
        m_bytes.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        if (m_bigEndian)
            qToBigEndian(v, b);
        else
            qToLittleEndian(v, b);
        m_bytes.append(b, 4);
    }
    // One directory entry holding a single SHORT or LONG.
    void entry(quint16 tag, quint16 type, quint32 value)
    {
        u16(tag);
        u16(type);
        u32(1);
        if (type == 3) {
            u16(quint16(value));
            u16(0);
        } else {
            u32(value);
        }
    }

private:
    QByteArray m_bytes;
    bool m_bigEndian;
};

constexpr qint64 kSegmentHead = 10; // marker, length word, "Exif\0\0"

} // namespace

ExifSegment buildExifSegment(const ExifSpec& exif)
{
    ExifSegment out;
    ExifLayout& l = out.layout;
    TiffWriter w(exif.bigEndian);
    w.bytes().append(exif.bigEndian ? "MM" : "II", 2);
    w.u16(42);
    w.u32(8);

    // As cameras lay it out: the first directory (the orientation and the
    // link to the EXIF directory), the EXIF directory (its version only),
    // the second directory (the thumbnail's place) and the thumbnail.
    const bool thumb = !exif.thumbnail.isEmpty();
    const int ifd0Entries = exif.orientation != 0 ? 2 : 1;
    const qint64 exifIfd = 8 + 2 + ifd0Entries * 12 + 4;
    const qint64 ifd1 = exifIfd + 2 + 12 + 4;
    constexpr int kIfd1Entries = 3;
    const qint64 thumbnailAt = ifd1 + 2 + kIfd1Entries * 12 + 4;

    l.tiff = kSegmentHead;
    l.ifd0 = kSegmentHead + w.size();
    w.u16(quint16(ifd0Entries));
    if (exif.orientation != 0) {
        l.orientationEntry = kSegmentHead + w.size();
        w.entry(0x0112, 3, quint32(exif.orientation));
    }
    w.entry(0x8769, 4, quint32(exifIfd));
    l.nextIfdWord = kSegmentHead + w.size();
    w.u32(thumb ? quint32(ifd1) : 0);

    w.u16(1);
    w.u16(0x9000); // ExifVersion: 4 bytes of type UNDEFINED, in the entry itself
    w.u16(7);
    w.u32(4);
    w.bytes().append("0230", 4);
    w.u32(0);

    if (thumb) {
        // Compression 6 (JPEG), then where the thumbnail is and how long.
        l.ifd1 = kSegmentHead + w.size();
        w.u16(kIfd1Entries);
        w.entry(0x0103, 3, 6);
        l.thumbnailOffsetEntry = kSegmentHead + w.size();
        w.entry(0x0201, 4, quint32(thumbnailAt));
        l.thumbnailLengthEntry = kSegmentHead + w.size();
        w.entry(0x0202, 4, quint32(exif.thumbnail.size()));
        w.u32(0);
        l.thumbnail = kSegmentHead + w.size();
        w.bytes().append(exif.thumbnail);
    }

    const qint64 length = 2 + 6 + w.size(); // the length word counts itself
    if (length > 0xFFFF)
        return {};
    QByteArray& b = out.bytes;
    b.append('\xFF').append('\xE1');
    b.append(char(length >> 8)).append(char(length & 0xFF));
    b.append("Exif\0\0", 6);
    b.append(w.bytes());
    return out;
}

QByteArray insertAfterSoi(const QByteArray& jpeg, const QByteArray& segment)
{
    if (!jpeg.startsWith("\xFF\xD8"))
        return {};
    return jpeg.left(2) + segment + jpeg.mid(2);
}

QImage storedForOrientation(const QImage& upright, int orientation)
{
    QImage u = upright.convertToFormat(QImage::Format_RGB32);
    if (orientation < 2 || orientation > 8)
        return u;
    const int w = u.width(), h = u.height();
    const bool quarter = orientation >= 5 && orientation <= 8;
    QImage s(quarter ? QSize(h, w) : QSize(w, h), QImage::Format_RGB32);
    // For each upright pixel, the stored pixel that shows it. Orientation n
    // says where the stored first row and first column belong: 2 top/right,
    // 3 bottom/right, 4 bottom/left, 5 left/top, 6 right/top, 7 right/bottom,
    // 8 left/bottom.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QPoint at;
            switch (orientation) {
            case 2:
                at = {w - 1 - x, y};
                break;
            case 3:
                at = {w - 1 - x, h - 1 - y};
                break;
            case 4:
                at = {x, h - 1 - y};
                break;
            case 5:
                at = {y, x};
                break;
            case 6:
                at = {y, w - 1 - x};
                break;
            case 7:
                at = {h - 1 - y, w - 1 - x};
                break;
            case 8:
                at = {h - 1 - y, x};
                break;
            default:
                at = {x, y};
                break;
            }
            s.setPixel(at, u.pixel(x, y));
        }
    }
    return s;
}

} // namespace quorbell::tools
