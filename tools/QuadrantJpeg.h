// A JPEG of any size whose four quadrants are each one solid colour, encoded
// row by row so that a photo of hundreds of megapixels costs no more memory
// than two rows. For the tests of photos too large to decode whole.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>

namespace quorbell::tools {

struct Quadrants
{
    QRgb topLeft = 0;
    QRgb topRight = 0;
    QRgb bottomLeft = 0;
    QRgb bottomRight = 0;
};

// The JPEG bytes; the left half is width / 2 columns, the top half height / 2 rows.
QByteArray makeQuadrantJpeg(QSize size, const Quadrants& colours, int quality = 90);

} // namespace quorbell::tools
