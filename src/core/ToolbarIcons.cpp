#include "core/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace quorbell {
namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 248);
const QColor kFolder(240, 190, 70);
const QColor kBlue(52, 110, 200);
const QColor kRed(205, 50, 45);
const QColor kGreen(45, 150, 75);

// Every picture is drawn on a 16 x 16 design grid and scaled.
void drawPage(QPainter& p, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void drawThumb(QPainter& p, QRectF r, QColor sky)
{
    p.setBrush(sky);
    p.drawRect(r);
    QPainterPath hill;
    hill.moveTo(r.left(), r.bottom());
    hill.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45);
    hill.lineTo(r.left() + r.width() * 0.7, r.top() + r.height() * 0.7);
    hill.lineTo(r.right(), r.top() + r.height() * 0.5);
    hill.lineTo(r.right(), r.bottom());
    hill.closeSubpath();
    p.setBrush(kGreen);
    p.drawPath(hill);
}

void drawCommand(QPainter& p, const QString& name)
{
    p.setPen(QPen(kInk, 1.0));
    if (name == QLatin1String("New")) {
        drawPage(p, QRectF(3.5, 1.5, 9, 13));
        p.setPen(QPen(kBlue, 1.4));
        p.drawLine(QPointF(11.5, 9), QPointF(11.5, 15));
        p.drawLine(QPointF(8.5, 12), QPointF(14.5, 12));
    } else if (name == QLatin1String("Open")) {
        p.setBrush(kFolder.darker(115));
        p.drawRect(QRectF(1.5, 3.5, 12, 10));
        p.setBrush(kFolder);
        QPainterPath flap;
        flap.moveTo(1.5, 13.5);
        flap.lineTo(4, 7.5);
        flap.lineTo(15, 7.5);
        flap.lineTo(13.5, 13.5);
        flap.closeSubpath();
        p.drawPath(flap);
    } else if (name == QLatin1String("Save")) {
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(220, 220, 225));
        p.drawRect(QRectF(4, 9.5, 8, 5));
    } else if (name == QLatin1String("Cut")) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, 1.3));
        p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
        p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
        p.setPen(QPen(kRed, 1.4));
        p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
    } else if (name == QLatin1String("Copy")) {
        drawPage(p, QRectF(1.5, 1.5, 8, 10));
        drawPage(p, QRectF(6.5, 4.5, 8, 10));
    } else if (name == QLatin1String("Put")) {
        p.setBrush(QColor(180, 130, 80));
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12.5), 1, 1);
        p.setBrush(QColor(200, 200, 205));
        p.drawRect(QRectF(5.5, 1.5, 5, 3));
        drawPage(p, QRectF(5.5, 6.5, 8, 8));
    } else if (name == QLatin1String("Delete")) {
        p.setPen(QPen(kRed, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    } else if (name == QLatin1String("Insert")) {
        p.setPen(QPen(kInk, 1.0));
        drawThumb(p, QRectF(1.5, 3.5, 10, 8), QColor(150, 200, 240));
        p.setPen(QPen(kGreen.darker(120), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 14.5));
        p.drawLine(QPointF(9.5, 11.5), QPointF(15.5, 11.5));
    } else if (name == QLatin1String("Rename")) {
        drawPage(p, QRectF(1.5, 1.5, 9, 13));
        p.setPen(QPen(kInk, 0.8));
        for (int line = 0; line < 4; ++line) {
            const double y = 5 + 2.5 * line;
            p.drawLine(QPointF(3.5, y), QPointF(8.5, y));
        }
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(240, 200, 60));
        QPainterPath pencil;
        pencil.moveTo(13.5, 3);
        pencil.lineTo(15.5, 5);
        pencil.lineTo(9, 12.5);
        pencil.lineTo(6.5, 13.5);
        pencil.lineTo(7.5, 11);
        pencil.closeSubpath();
        p.drawPath(pencil);
    } else if (name == QLatin1String("Slide")) {
        p.setBrush(QColor(60, 60, 70));
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 210, 120));
        QPainterPath play;
        play.moveTo(6, 5);
        play.lineTo(11.5, 8);
        play.lineTo(6, 11);
        play.closeSubpath();
        p.drawPath(play);
    } else if (name == QLatin1String("Random")) {
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(1.5, 4.5, 9, 9), 2, 2);
        p.setBrush(QColor(230, 230, 235));
        p.drawRoundedRect(QRectF(6.5, 1.5, 8, 8), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        for (const QPointF& c : {QPointF(4, 7), QPointF(8, 11), QPointF(6, 9)})
            p.drawEllipse(c, 0.9, 0.9);
        p.setBrush(kInk);
        for (const QPointF& c : {QPointF(8.8, 3.8), QPointF(12.2, 7.2)})
            p.drawEllipse(c, 0.9, 0.9);
    } else if (name == QLatin1String("Cover")) {
        p.setBrush(QColor(150, 60, 60));
        p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1, 1);
        p.setBrush(QColor(240, 220, 160));
        p.drawRect(QRectF(5, 4.5, 6, 4));
        p.setPen(QPen(QColor(240, 220, 160), 1));
        p.drawLine(QPointF(4, 1.5), QPointF(4, 14.5));
    } else if (name == QLatin1String("Index")) {
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
        QPainterPath q;
        q.moveTo(5.8, 6.2);
        q.cubicTo(5.8, 3.6, 10.4, 3.6, 10.4, 6.0);
        q.cubicTo(10.4, 7.8, 8.1, 7.8, 8.1, 9.6);
        p.setBrush(Qt::NoBrush);
        p.drawPath(q);
        p.drawPoint(QPointF(8.1, 12.0));
    }
}

} // namespace

QImage drawToolbarPicture(const QString& commandName, int edge, bool greyed)
{
    QImage img(edge, edge, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(edge / 16.0, edge / 16.0);
        drawCommand(p, commandName);
    }
    if (greyed) {
        // Grey and faint, as a disabled button's picture looks.
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = line[x];
                const int a = qAlpha(c) * 45 / 100;
                const int grey = qGray(c) * 45 / 100 + 140 * a / 255;
                line[x] = qRgba(qMin(grey, a), qMin(grey, a), qMin(grey, a), a);
            }
        }
    }
    return img;
}

QIcon toolbarIcon(const QString& imageKey)
{
    const bool greyed = imageKey.startsWith(QLatin1String("imgNo"));
    const QString command = imageKey.mid(greyed ? 5 : 3);
    QIcon icon;
    for (int edge : {16, 24, 32}) {
        const QPixmap picture = QPixmap::fromImage(drawToolbarPicture(command, edge, greyed));
        icon.addPixmap(picture);
        // A greyed picture is what the button shows itself, enabled or not.
        if (greyed)
            icon.addPixmap(picture, QIcon::Disabled);
    }
    return icon;
}

} // namespace quorbell
