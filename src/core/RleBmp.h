// Run-length-encoded BMP files (8-bit RLE8 and 4-bit RLE4) expanded by our
// own decoder. The runs need not cover every pixel: the data may end early,
// and a delta jumps over pixels. Those pixels are palette entry 0, always, so
// the same bytes give the same picture wherever they are decoded (container
// records, album thumbnails, the viewer). Pure functions, any thread.
#pragma once

#include <QByteArrayView>
#include <QImage>

namespace quorbell {

// Pictures whose 32-bit form would take more bytes than this are refused.
inline constexpr qint64 kRleMaxDecodedBytes = 256 * 1024 * 1024;

// True when the bytes are a BMP file whose information header says RLE8 or
// RLE4; such files are decoded by decodeRleBmp and nothing else.
bool isRleBmp(QByteArrayView bmp);

// The RLE picture in Format_RGB32. Null when the headers are not those of a
// bottom-up RLE8 or RLE4 picture of 1 to 32767 pixels a side, when the palette
// or the start of the pixel data lies outside the bytes, or when the picture
// is larger than kRleMaxDecodedBytes. Runs that pass the right edge are cut
// there; a palette index beyond the palette is black.
QImage decodeRleBmp(QByteArrayView bmp);

} // namespace quorbell
