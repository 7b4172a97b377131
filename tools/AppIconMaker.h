// Draws the application icon: a blue tile holding a two-by-two grid of photo
// prints, the top-left one framed as selected. One list of shapes is laid out
// per pixel size (snapped to whole pixels so small sizes stay crisp) and is
// either painted into a PNG or written out as SVG, so both always agree.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPolygonF>
#include <QRectF>

namespace quorbell::tools {

struct IconShape
{
    enum Kind { Rect, Ellipse, Polygon };
    Kind kind = Rect;
    QRectF rect;      // Rect and Ellipse
    QPolygonF points; // Polygon
    qreal radius = 0; // corner radius of a Rect
    QColor fill;
    QColor fillBottom; // when valid: a vertical gradient from fill to this
};

// The sizes installed into the hicolor theme, in pixels.
const QList<int>& appIconSizes();

// The shapes of the icon at size x size pixels, back to front.
QList<IconShape> appIconShapes(int size);

// The icon painted at size x size pixels, with a transparent surround.
QImage drawAppIcon(int size);

// The scalable icon: the 256-pixel layout as a standalone SVG document.
QByteArray appIconSvg();

} // namespace quorbell::tools
