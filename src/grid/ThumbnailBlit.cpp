#include "grid/ThumbnailBlit.h"

#include "core/ThumbnailFormat.h"

#include <QPainter>
#include <QRect>
#include <QtEndian>

#include <cstring>

namespace quorbell {

void drawThumbnailAt(QImage& canvas, QPoint at, const QImage& picture)
{
    // The row loop serves the common case only: a 24-bit thumbnail, a 32-bit
    // picture with one device pixel per logical pixel. A high-density screen
    // scales the thumbnail, which QPainter does.
    const bool plain = picture.format() == kThumbnailFormat &&
                       canvas.format() == QImage::Format_RGB32 && canvas.devicePixelRatio() == 1.0;
    if (!plain) {
        QPainter p(&canvas);
        p.drawImage(at, picture);
        return;
    }
    const QRect target = QRect(at, picture.size()) & canvas.rect();
    if (target.isEmpty())
        return;
    const int fromX = target.left() - at.x();
    const int width = target.width();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const uchar* src = picture.constScanLine(y - at.y()) + 3 * fromX;
        QRgb* dst = reinterpret_cast<QRgb*>(canvas.scanLine(y)) + target.left();
        // Four bytes at a time hold red, green, blue and the next red; one
        // byte swap puts the first three where a 32-bit pixel keeps them.
        // The last pixel of the row is read byte by byte, never past its end.
        int x = 0;
        for (; x < width - 1; ++x, src += 3) {
            quint32 word;
            std::memcpy(&word, src, 4);
            dst[x] = 0xFF000000u | qFromBigEndian(word) >> 8;
        }
        dst[x] = 0xFF000000u | QRgb(src[0]) << 16 | QRgb(src[1]) << 8 | src[2];
    }
}

} // namespace quorbell
