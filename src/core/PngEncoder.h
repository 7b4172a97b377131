// A small PNG encoder for the thumbnailers. Qt's image writer asks every
// installed image format plugin whether it handles the output, which loads
// them all and their libraries; a thumbnailer that a file manager starts for
// each file cannot afford that, nor libpng's slow default compression (longer
// than decoding the photo). It needs Qt Core alone.
#pragma once

#include <QByteArray>

namespace quorbell {

// How the pixels given to encodePng are laid out in memory.
enum class PngPixels {
    Rgb,   // 3 bytes a pixel: red, green, blue
    Rgba,  // 4 bytes a pixel: red, green, blue, alpha (not premultiplied)
    Rgb32, // 32-bit words 0xffRRGGBB in the machine's byte order (QImage's Format_RGB32)
};

// The picture as a PNG file: 8-bit RGB, or 8-bit RGBA for Rgba pixels; rows
// `stride` bytes apart. The pixels are stored without compression: a file
// manager decodes the picture and keeps its own copy, so a smaller file would
// only cost time (compressing took 1-2 ms even at zlib's fastest level).
// Empty for an empty picture.
QByteArray encodePng(const uchar* pixels, int width, int height, qsizetype stride,
                     PngPixels layout);

} // namespace quorbell
