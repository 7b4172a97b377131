// A small PNG encoder for quorbell-cli's thumbnails. Qt's image writer asks
// every installed image format plugin whether it handles the output, which
// loads them all and their libraries; a thumbnailer that a file manager starts
// for each file cannot afford that, nor libpng's slow default compression
// (longer than decoding the photo).
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorbell::cli {

// The picture as a PNG file: 8-bit RGB when it has no alpha channel, 8-bit
// RGBA (not premultiplied) when it has one. The pixels are stored without
// compression: a file manager decodes the picture and keeps its own copy, so
// a smaller file would only cost time (compressing took 1-2 ms even at zlib's
// fastest level). Empty for a null picture.
QByteArray encodePng(const QImage& picture);

} // namespace quorbell::cli
