// The BMP files inside container records: a header check that needs only the
// first bytes of a record, a fast decoder for plain 24- and 32-bit pictures,
// our own run-length decoder (which defines every pixel), Qt's BMP reader for
// every other kind, and the 24-bit encoder the writer uses. Pure functions,
// safe to call from any thread.
#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace quorbell::container {

inline constexpr int kBmpFileHeaderBytes = 14;
inline constexpr int kBmpMinimumBytes = 26;        // file header + the smallest information header
inline constexpr int kBmpLargestHeaderBytes = 138; // file header + the largest information header
inline constexpr int kBmpMaxSide = 32767;          // size words hold 16-bit widths and heights
// A run-length-encoded picture may claim far more pixels than its bytes carry;
// it is refused beyond this many pixels per stored byte.
inline constexpr int kBmpMaxPixelsPerByte = 256;

struct BmpInfo
{
    qint64 fileSize = 0;   // the size field at offset 2
    qint64 dataOffset = 0; // where the pixels start
    int headerSize = 0;    // bytes of the information header
    int width = 0;
    int height = 0; // always positive; topDown gives the row order
    bool topDown = false;
    int depth = 0; // bits per pixel
    quint32 compression = 0;
};

// Checks the headers of a BMP file of `length` bytes, given at least its first
// min(length, kBmpLargestHeaderBytes) bytes: the "BM" signature, a size field
// equal to `length`, a known information header, sides of 1 to 32767 pixels,
// a depth and compression the reader knows, a palette and (for uncompressed
// pictures) pixel rows that lie inside the file. Nothing when any fails.
std::optional<BmpInfo> checkBmpHeader(QByteArrayView head, qint64 length);

// The whole BMP file decoded into the thumbnail format (24-bit RGB); a null
// image when it fails the header check or Qt's reader refuses it. Plain 24-
// and 32-bit pictures are converted directly, without Qt's reader.
QImage decodeBmp(QByteArrayView bmp);

// Bytes of the 24-bit uncompressed BMP file of a w x h picture; -1 when it
// would not fit the 32-bit size field.
qint64 bmp24FileSize(int width, int height);

// Writes the picture as a 24-bit uncompressed BMP file (bottom-up rows, each
// padded to 4 bytes, size field = file size) into `out`, which has room for
// bmp24FileSize(width, height) bytes. The picture must not be null.
void encodeBmp24Into(const QImage& image, char* out);
QByteArray encodeBmp24(const QImage& image);

} // namespace quorbell::container
