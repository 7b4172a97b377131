// Drawing a thumbnail into the grid's persistent picture at its own size.
// Thumbnails are held in 24-bit form and the picture is 32-bit; QPainter
// converts such a picture span by span through its general blending path,
// which made a full redraw about a quarter slower than copying 32-bit
// thumbnails. A plain row loop does the same conversion as fast as the copy.
#pragma once

#include <QImage>
#include <QPoint>

namespace quorbell {

// Puts `picture` into `canvas` with its top-left corner at `at` (logical
// pixels), clipped to the canvas: the same pixels QPainter::drawImage gives.
void drawThumbnailAt(QImage& canvas, QPoint at, const QImage& picture);

} // namespace quorbell
