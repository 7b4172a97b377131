// The parts of a baseline JPEG that its entropy decoder needs: the frame's
// components, the Huffman and quantisation tables the first scan uses, the
// restart interval, and where the scan's entropy-coded bytes are, with their
// stuffed zero bytes and restart markers. Only what the eighth-scale
// decoder handles is accepted: 8-bit sequential Huffman coding, one or three
// components in a single interleaved scan, each component sampled at the
// frame's maximum or at half of it. Everything else gives nothing.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorbell::album {

// A Huffman table as the decoder walks it: codes of up to kFastBits bits
// straight from one lookup, longer ones by their canonical order.
struct HuffmanTable
{
    static constexpr int kFastBits = 11;
    // (code length << 8) | symbol for every kFastBits-bit prefix that starts
    // with a short code; 0 for a prefix of a longer code.
    std::array<std::uint16_t, 1 << kFastBits> fast{};
    // For AC codes: (bits to skip, the code and its extra bits, << 8) | the
    // coefficients it moves past (64 for the end of the block); 0 as above.
    std::array<std::uint16_t, 1 << kFastBits> acSkip{};
    std::array<std::int32_t, 17> maxCode{}; // largest code of each length, -1 for none
    std::array<std::int32_t, 17>
        valueBase{}; // index into `values` of a code of each length, less that code
    std::array<std::uint8_t, 256> values{};
};

struct JpegComponent
{
    int horizontal = 1; // sampling factors
    int vertical = 1;
    int dcDequantizer = 1; // the quantisation table's first (DC) entry
    int dcTable = 0;       // into JpegFrame::dcTables
    int acTable = 0;       // into JpegFrame::acTables
};

struct JpegFrame
{
    int width = 0;
    int height = 0;
    int maxHorizontal = 1;
    int maxVertical = 1;
    std::vector<JpegComponent> components; // in scan order, one or three
    std::array<HuffmanTable, 4> dcTables;
    std::array<HuffmanTable, 4> acTables;
    int restartInterval = 0; // MCUs; 0: no restart markers
    // The scan's entropy-coded bytes as stored, up to the marker that ends
    // them: a view into the bytes given to readJpegFrame.
    QByteArrayView entropy;
    // Where each restart marker starts in `entropy`, and where the data
    // after it does; the markers' own numbers cycle 0 to 7 as they must.
    struct Restart
    {
        qsizetype marker = 0;
        qsizetype next = 0;
    };
    std::vector<Restart> restarts;
    // Where each zero byte stuffed after a 0xFF data byte is in `entropy`.
    std::vector<qsizetype> stuffedZeros;
};

// The frame of the JPEG in `bytes`, or nothing when it is not one the
// eighth-scale decoder handles (or not a well-formed JPEG).
std::optional<JpegFrame> readJpegFrame(QByteArrayView bytes);

} // namespace quorbell::album
