// JPEGs coded the ways cameras and editors code them, for the tests of the
// decoders: colour sampling, grey, restart markers, optimised Huffman tables,
// progressive scans.
#pragma once

#include <QByteArray>
#include <QImage>

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

} // namespace quorbell::tools
