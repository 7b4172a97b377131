// The zoomed view of a photo: its scale in screen pixels per photo pixel and
// where its top-left corner lies on the screen. Zooming keeps the photo point
// under the pointer where it is; panning moves the photo but never further
// than needed to see its edge. Pure arithmetic, tested from tables.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

namespace quorbell::viewer {

inline constexpr double kMinZoom = 1.0 / 8;
inline constexpr double kMaxZoom = 8.0;
inline constexpr double kZoomStep = 1.25; // one key press or wheel notch

struct ZoomView
{
    double scale = 1.0; // screen pixels per photo pixel
    QPointF origin;     // the photo's top-left corner on the screen

    // Where the photo lies on the screen.
    QRectF rect(QSize photo) const;
    friend bool operator==(const ZoomView&, const ZoomView&) = default;
};

// The view at `scale` (clamped to 1/8 .. 8) that keeps the photo point under
// `anchor` in place, then kept in bounds.
ZoomView zoomAround(const ZoomView& from, double scale, QPointF anchor, QSize photo, QSize screen);
// Moved by `delta` screen pixels, then kept in bounds.
ZoomView panBy(const ZoomView& from, QPointF delta, QSize photo, QSize screen);
// Along each axis: a photo narrower than the screen is centred; a wider one
// covers the screen (no black band at its edge).
ZoomView keptInBounds(const ZoomView& view, QSize photo, QSize screen);

} // namespace quorbell::viewer
