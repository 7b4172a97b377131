#include "AppIconMaker.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace quorbell::tools {
namespace {

// The four prints: sky, land and sun colours.
struct PrintColours
{
    QRgb sky;
    QRgb land;
    QRgb sun;
};

const PrintColours kPrints[4] = {
    {qRgb(143, 211, 255), qRgb(63, 155, 79), qRgb(255, 243, 160)},   // summer day
    {qRgb(255, 180, 107), qRgb(138, 75, 107), qRgb(255, 240, 200)},  // evening
    {qRgb(191, 227, 255), qRgb(107, 134, 168), qRgb(255, 255, 255)}, // snow
    {qRgb(255, 214, 231), qRgb(216, 91, 138), qRgb(255, 250, 250)},  // blossom
};

const QColor kTileTop(74, 127, 201);
const QColor kTileBottom(41, 76, 138);
const QColor kPaper(250, 248, 242);
const QColor kSelection(255, 200, 61);

// Scales a length from the 256-pixel design to the target size.
int scaled(int size, int at256)
{
    return qRound(size * at256 / 256.0);
}

IconShape rect(const QRectF& r, const QColor& fill, qreal radius = 0)
{
    IconShape s;
    s.kind = IconShape::Rect;
    s.rect = r;
    s.fill = fill;
    s.radius = radius;
    return s;
}

// A frame of width w around r, as four bars so it stays on whole pixels.
void addFrame(QList<IconShape>& shapes, const QRect& r, int w, const QColor& c)
{
    shapes.append(rect(QRectF(r.left() - w, r.top() - w, r.width() + 2 * w, w), c));
    shapes.append(rect(QRectF(r.left() - w, r.bottom() + 1, r.width() + 2 * w, w), c));
    shapes.append(rect(QRectF(r.left() - w, r.top(), w, r.height()), c));
    shapes.append(rect(QRectF(r.right() + 1, r.top(), w, r.height()), c));
}

// One print in cell r. Small cells get a plain sky over a strip of land;
// larger ones a paper border, a ridge of hills and, when there is room, a sun.
void addPrint(QList<IconShape>& shapes, const QRect& r, const PrintColours& colours)
{
    const int c = r.width();
    if (c < 10) {
        const int land = std::max(1, c * 2 / 5);
        shapes.append(rect(r, QColor(colours.sky)));
        shapes.append(rect(QRectF(r.left(), r.bottom() + 1 - land, c, land), QColor(colours.land)));
        return;
    }
    shapes.append(rect(r, kPaper, c >= 40 ? c * 5 / 87.0 : 0));
    const int inset = std::max(1, qRound(c * 7 / 87.0));
    const QRectF p = QRectF(r).adjusted(inset, inset, -inset, -inset);
    shapes.append(rect(p, QColor(colours.sky)));
    if (c >= 20) {
        IconShape sun;
        sun.kind = IconShape::Ellipse;
        const qreal radius = p.width() * 0.12;
        const QPointF centre(p.left() + p.width() * 0.72, p.top() + p.height() * 0.27);
        sun.rect = QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        sun.fill = QColor(colours.sun);
        shapes.append(sun);
    }
    IconShape hills;
    hills.kind = IconShape::Polygon;
    const auto at = [&p](qreal fx, qreal fy) {
        return QPointF(p.left() + p.width() * fx, p.top() + p.height() * fy);
    };
    hills.points << at(0, 1) << at(0, 0.64) << at(0.3, 0.4) << at(0.52, 0.62) << at(0.74, 0.46)
                 << at(1, 0.7) << at(1, 1);
    hills.fill = QColor(colours.land);
    shapes.append(hills);
}

QString number(qreal v)
{
    // Two decimals at most, no trailing zeros: "12", "12.5", "12.25".
    QString s = QString::number(v, 'f', 2);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s;
}

QString fillAttribute(const IconShape& s, int gradientIndex, QString& defs)
{
    if (!s.fillBottom.isValid())
        return QStringLiteral(" fill=\"%1\"").arg(s.fill.name());
    const QString id = QStringLiteral("shade%1").arg(gradientIndex);
    defs += QStringLiteral("    <linearGradient id=\"%1\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
                           "      <stop offset=\"0\" stop-color=\"%2\"/>\n"
                           "      <stop offset=\"1\" stop-color=\"%3\"/>\n"
                           "    </linearGradient>\n")
                .arg(id, s.fill.name(), s.fillBottom.name());
    return QStringLiteral(" fill=\"url(#%1)\"").arg(id);
}

} // namespace

const QList<int>& appIconSizes()
{
    static const QList<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QList<IconShape> appIconShapes(int size)
{
    QList<IconShape> shapes;
    const int pad = std::max(1, scaled(size, 14));
    IconShape tile =
        rect(QRectF(pad, pad, size - 2 * pad, size - 2 * pad), kTileTop, size * 36 / 256.0);
    tile.fillBottom = kTileBottom;
    shapes.append(tile);

    // Two cells and a gap across the tile; the gap is widened by a pixel
    // when that centres the grid exactly.
    int gap = std::max(1, scaled(size, 14));
    const int cell = (size - 2 * scaled(size, 34) - gap) / 2;
    if ((size - 2 * cell - gap) % 2 != 0)
        ++gap;
    const int margin = (size - 2 * cell - gap) / 2;

    // The selection frame keeps a pixel clear of the neighbouring print and of
    // the tile's rounded edge; where there is no such room it is drawn over
    // the print's own edge instead (a negative offset).
    const int frame = std::max(1, scaled(size, 5));
    const int room = std::min(gap - 1, margin - pad - 1) - frame;
    const int offset = std::max(-frame, std::min(scaled(size, 4), room));

    for (int i = 0; i < 4; ++i) {
        const QRect r(margin + (i % 2) * (cell + gap), margin + (i / 2) * (cell + gap), cell, cell);
        addPrint(shapes, r, kPrints[i]);
        if (i == 0)
            addFrame(shapes, r.adjusted(-offset, -offset, offset, offset), frame, kSelection);
    }
    return shapes;
}

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (const IconShape& s : appIconShapes(size)) {
        if (s.fillBottom.isValid()) {
            QLinearGradient shade(s.rect.topLeft(), s.rect.bottomLeft());
            shade.setColorAt(0, s.fill);
            shade.setColorAt(1, s.fillBottom);
            p.setBrush(shade);
        } else {
            p.setBrush(s.fill);
        }
        switch (s.kind) {
        case IconShape::Rect:
            if (s.radius > 0)
                p.drawRoundedRect(s.rect, s.radius, s.radius);
            else
                p.drawRect(s.rect);
            break;
        case IconShape::Ellipse:
            p.drawEllipse(s.rect);
            break;
        case IconShape::Polygon:
            p.drawPolygon(s.points);
            break;
        }
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray appIconSvg()
{
    constexpr int kSize = 256;
    QString defs;
    QString body;
    int gradients = 0;
    for (const IconShape& s : appIconShapes(kSize)) {
        const QString fill = fillAttribute(s, gradients, defs);
        if (s.fillBottom.isValid())
            ++gradients;
        switch (s.kind) {
        case IconShape::Rect:
            body += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
                        .arg(number(s.rect.x()), number(s.rect.y()), number(s.rect.width()),
                             number(s.rect.height()));
            if (s.radius > 0)
                body += QStringLiteral(" rx=\"%1\"").arg(number(s.radius));
            break;
        case IconShape::Ellipse:
            body += QStringLiteral("  <ellipse cx=\"%1\" cy=\"%2\" rx=\"%3\" ry=\"%4\"")
                        .arg(number(s.rect.center().x()), number(s.rect.center().y()),
                             number(s.rect.width() / 2), number(s.rect.height() / 2));
            break;
        case IconShape::Polygon: {
            QStringList points;
            for (const QPointF& pt : s.points)
                points << number(pt.x()) + QLatin1Char(',') + number(pt.y());
            body += QStringLiteral("  <polygon points=\"%1\"").arg(points.join(QLatin1Char(' ')));
            break;
        }
        }
        body += fill + QStringLiteral("/>\n");
    }
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                 "height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
                      .arg(kSize);
    if (!defs.isEmpty())
        svg += QStringLiteral("  <defs>\n") + defs + QStringLiteral("  </defs>\n");
    svg += body + QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

} // namespace quorbell::tools
