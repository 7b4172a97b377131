// Decoded pixels as plain memory: 32-bit words 0xffRRGGBB, row after row
// without padding (the layout of QImage's Format_RGB32). The JPEG decoders
// make these so that code that links Qt Core alone can use them; a QImage
// takes one over without copying (PhotoDecoder).
#pragma once

#include <QtGlobal>

#include <vector>

namespace quorbell::album {

struct Rgb32Picture
{
    int width = 0;
    int height = 0;
    std::vector<quint32> pixels;

    Rgb32Picture() = default;
    Rgb32Picture(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h)) {}

    bool isNull() const { return width <= 0 || height <= 0; }
    quint32* row(int y) { return pixels.data() + std::size_t(y) * std::size_t(width); }
    const quint32* row(int y) const { return pixels.data() + std::size_t(y) * std::size_t(width); }
};

} // namespace quorbell::album
