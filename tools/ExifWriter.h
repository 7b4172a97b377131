// Writes the EXIF segment (APP1) that cameras put at the start of a JPEG:
// the TIFF header in either byte order, a first image directory holding the
// orientation tag, and a second one pointing at an embedded JPEG thumbnail.
// Also turns an upright picture into the pixels a camera would store for a
// given orientation, from the tag's own definition (where the stored first
// row and first column belong), so tests have an oracle independent of the
// program's own turning. For tests, benchmarks and sample photos.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorbell::tools {

struct ExifSpec
{
    int orientation = 0;    // the tag's value; 0: no orientation tag
    QByteArray thumbnail;   // a JPEG embedded after the second directory; empty: none
    bool bigEndian = false; // "MM" rather than "II"
};

// Where each part lies, as byte offsets from the start of the segment (its
// 0xFF 0xE1 marker), so tests can damage one thing at a time.
struct ExifLayout
{
    qint64 tiff = 0;              // the byte-order mark; TIFF offsets count from here
    qint64 ifd0 = 0;              // the first directory's entry count
    qint64 orientationEntry = -1; // its 12-byte entry; -1 without the tag
    qint64 nextIfdWord = 0;       // the first directory's link to the second
    qint64 ifd1 = -1;             // the second directory; -1 without a thumbnail
    qint64 thumbnailOffsetEntry = -1;
    qint64 thumbnailLengthEntry = -1;
    qint64 thumbnail = -1; // the embedded JPEG's first byte
};

struct ExifSegment
{
    QByteArray bytes; // empty when the thumbnail does not fit in one segment
    ExifLayout layout;
};

ExifSegment buildExifSegment(const ExifSpec& exif);

// The JPEG with `segment` placed right after its start-of-image marker;
// empty when `jpeg` is not a JPEG.
QByteArray insertAfterSoi(const QByteArray& jpeg, const QByteArray& segment);

// The pixels a camera stores for `upright` under `orientation` (1 to 8): the
// picture that the tag's turn brings back to `upright`.
QImage storedForOrientation(const QImage& upright, int orientation);

} // namespace quorbell::tools
