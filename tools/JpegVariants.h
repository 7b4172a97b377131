// JPEGs coded the ways cameras and editors code them, for the tests of the
// decoders: colour sampling, grey, restart markers, optimised Huffman tables,
// progressive scans.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <functional>

namespace quorbell::tools {

struct JpegCoding
{
    int quality = 90;
    // The luma sampling factors; chroma is sampled once per this many
    // pixels: 2 x 2 is 4:2:0, 2 x 1 is 4:2:2, 1 x 1 is 4:4:4.
    int lumaHorizontal = 2;
    int lumaVertical = 2;
    bool grey = false;
    int restartRows = 0; // a restart marker every this many MCU rows; 0 for none
    bool optimizedTables = false;
    bool progressive = false;
};

QByteArray encodeJpeg(const QImage& picture, const JpegCoding& coding);

// The same from rows given one at a time (RGB, 3 bytes a pixel, `size`'s
// width of them): a photo of hundreds of megapixels costs no more memory
// than its rows.
QByteArray encodeJpegRows(QSize size, const JpegCoding& coding,
                          const std::function<const uchar*(int y)>& row);

} // namespace quorbell::tools
