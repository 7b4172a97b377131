// A small GIF89a writer (Qt reads GIF but does not write it): the picture is
// reduced to a fixed 252-colour palette and compressed with LZW. For test and
// sample albums whose first photo is a GIF.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorbell::tools {

QByteArray encodeGif(const QImage& image);

// The colour a pixel gets in the fixed palette (6 red, 7 green, 6 blue levels).
QRgb gifPaletteColour(QRgb colour);

} // namespace quorbell::tools
