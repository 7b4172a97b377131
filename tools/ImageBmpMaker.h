// Builds the data file "Image.bmp": a default album cover as a 1334-byte
// run-length-encoded 8-bit BMP, followed by the start-up picture, padded to
// 205,209 bytes.
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorbell::tools {

// An 8-bit BMP with a 16-colour palette and RLE8 pixels; empty when the
// picture does not fit in maxBytes.
QByteArray encodeRle8Bmp(const QImage& indexed, qsizetype maxBytes);

QImage drawDefaultCover();
QImage drawStartupPicture();

// The whole file: exactly 1334 + 205,209 bytes.
QByteArray buildImageBmp();

} // namespace quorbell::tools
