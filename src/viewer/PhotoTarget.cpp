// Target size, scale and offsets of a photo on the viewer's screen.
#include "viewer/PhotoTarget.h"

#include <algorithm>

namespace quorbell::viewer {

SizingChoice sizingChoiceFrom(bool sizeMax, bool fullSize)
{
    if (!sizeMax)
        return SizingChoice::Unchanged;
    return fullSize ? SizingChoice::ShrinkOrEnlarge : SizingChoice::ShrinkToFit;
}

PhotoTarget computePhotoTarget(SizingChoice choice, QSize screen, QSize photo)
{
    PhotoTarget t;
    const qint64 w = photo.width();
    const qint64 h = photo.height();
    const qint64 sw = screen.width();
    const qint64 sh = screen.height();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) {
        t.newWidth = int(std::max<qint64>(w, 0));
        t.newHeight = int(std::max<qint64>(h, 0));
        return t;
    }

    qint64 newW = w;
    qint64 newH = h;
    if (choice != SizingChoice::Unchanged) {
        // The height governs when H / sh >= W / sw. Compared as exact integer
        // products, which is what the quotients in double precision decide
        // for any sizes that fit in 16 bits, ties included.
        if (h * sw >= w * sh) {
            newH = sh;
            newW = sh * w / h;
        } else {
            newW = sw;
            newH = sw * h / w;
        }
        // A very thin photo would get 0 columns or rows: nothing to draw and a
        // zero scale. One pixel keeps it visible and the arithmetic finite.
        newW = std::max<qint64>(newW, 1);
        newH = std::max<qint64>(newH, 1);
    }

    // Single precision, as the drawing code compares it with exactly 1.
    t.scale = float(newW) / float(w);
    if (t.scale > 1.0f && choice != SizingChoice::ShrinkOrEnlarge) {
        newW = w;
        newH = h;
    }
    t.newWidth = int(newW);
    t.newHeight = int(newH);
    t.xOffset = newW < sw ? int((sw - newW) / 2) : 0;
    t.yOffset = newH < sh ? int((sh - newH) / 2) : 0;

    if (t.scale < 1.0f)
        t.path = ScalePath::Shrink;
    else if (t.scale > 1.0f && choice == SizingChoice::ShrinkOrEnlarge)
        t.path = ScalePath::Enlarge;
    else
        t.path = ScalePath::AsIs;
    return t;
}

} // namespace quorbell::viewer
