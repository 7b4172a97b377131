// Decoded pixels as plain memory: 32-bit words 0xffRRGGBB, row after row
// without padding (the layout of QImage's Format_RGB32). The JPEG decoders
// make these so that code that links Qt Core alone can use them; a QImage
// takes one over without copying (PhotoDecoder). The memory is not cleared
// first: a decoder writes every pixel, and clearing a full-size photo would
// cost a pass over it.
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <memory>

namespace quorbell::album {

struct Rgb32Picture
{
    int width = 0;
    int height = 0;
    std::unique_ptr<quint32[]> pixels;

    Rgb32Picture() = default;
    Rgb32Picture(int w, int h)
        : width(w), height(h),
          pixels(std::make_unique_for_overwrite<quint32[]>(std::size_t(w) * std::size_t(h)))
    {
    }

    bool isNull() const { return !pixels || width <= 0 || height <= 0; }
    std::size_t count() const { return std::size_t(width) * std::size_t(height); }
    quint32* row(int y) { return pixels.get() + std::size_t(y) * std::size_t(width); }
    const quint32* row(int y) const { return pixels.get() + std::size_t(y) * std::size_t(width); }
    bool operator==(const Rgb32Picture& other) const
    {
        return width == other.width && height == other.height &&
               std::equal(pixels.get(), pixels.get() + count(), other.pixels.get());
    }
};

} // namespace quorbell::album
