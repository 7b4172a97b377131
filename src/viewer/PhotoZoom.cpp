// Zoom and pan arithmetic of the viewer.
#include "viewer/PhotoZoom.h"

#include <algorithm>

namespace quorbell::viewer {
namespace {

double keptOnAxis(double origin, double extent, double screen)
{
    if (extent <= screen)
        return (screen - extent) / 2;
    return std::clamp(origin, screen - extent, 0.0);
}

} // namespace

QRectF ZoomView::rect(QSize photo) const
{
    return QRectF(origin, QSizeF(photo) * scale);
}

ZoomView keptInBounds(const ZoomView& view, QSize photo, QSize screen)
{
    ZoomView out = view;
    out.origin.setX(keptOnAxis(view.origin.x(), photo.width() * view.scale, screen.width()));
    out.origin.setY(keptOnAxis(view.origin.y(), photo.height() * view.scale, screen.height()));
    return out;
}

ZoomView zoomAround(const ZoomView& from, double scale, QPointF anchor, QSize photo, QSize screen)
{
    ZoomView out;
    out.scale = std::clamp(scale, kMinZoom, kMaxZoom);
    const QPointF photoPoint = (anchor - from.origin) / from.scale;
    out.origin = anchor - photoPoint * out.scale;
    return keptInBounds(out, photo, screen);
}

ZoomView panBy(const ZoomView& from, QPointF delta, QSize photo, QSize screen)
{
    ZoomView out = from;
    out.origin += delta;
    return keptInBounds(out, photo, screen);
}

} // namespace quorbell::viewer
