#include "ImageBmpMaker.h"

#include "core/BinaryIO.h"
#include "core/Paths.h"
#include "core/Version.h"

#include <QBuffer>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

namespace quorbell::tools {
namespace {

// The cover's colours; the picture is drawn with these only (no antialiasing)
// so every pixel maps to a palette index.
const QList<QRgb> kCoverPalette = {
    qRgb(250, 246, 236), qRgb(120, 40, 45), qRgb(160, 60, 60),   qRgb(230, 200, 120),
    qRgb(90, 150, 210),  qRgb(60, 130, 80), qRgb(40, 95, 60),    qRgb(250, 220, 90),
    qRgb(255, 255, 255), qRgb(30, 30, 40),  qRgb(190, 215, 240), qRgb(200, 170, 100),
};

} // namespace

QByteArray encodeRle8Bmp(const QImage& indexed, qsizetype maxBytes)
{
    const int w = indexed.width();
    const int h = indexed.height();
    QByteArray pixels;
    for (int y = h - 1; y >= 0; --y) { // bottom-up rows
        const uchar* row = indexed.constScanLine(y);
        int x = 0;
        while (x < w) {
            int run = 1;
            while (x + run < w && run < 255 && row[x + run] == row[x])
                ++run;
            pixels.append(char(run));
            pixels.append(char(row[x]));
            x += run;
        }
        pixels.append('\0');
        pixels.append('\0'); // end of line
    }
    pixels.append('\0');
    pixels.append('\1'); // end of bitmap

    const int colours = int(indexed.colorCount());
    const int headerBytes = 14 + 40 + colours * 4;
    QByteArray bmp;
    bmp.append("BM");
    appendLE32(bmp, qint32(maxBytes)); // the padded size: the file's room for the cover
    appendLE32(bmp, 0);
    appendLE32(bmp, headerBytes);
    appendLE32(bmp, 40);
    appendLE32(bmp, w);
    appendLE32(bmp, h);
    appendLE16(bmp, 1);
    appendLE16(bmp, 8);
    appendLE32(bmp, 1); // BI_RLE8
    appendLE32(bmp, qint32(pixels.size()));
    appendLE32(bmp, 2835);
    appendLE32(bmp, 2835);
    appendLE32(bmp, colours);
    appendLE32(bmp, colours);
    for (QRgb c : indexed.colorTable()) {
        bmp.append(char(qBlue(c)));
        bmp.append(char(qGreen(c)));
        bmp.append(char(qRed(c)));
        bmp.append('\0');
    }
    bmp.append(pixels);
    if (bmp.size() > maxBytes)
        return QByteArray();
    bmp.append(QByteArray(maxBytes - bmp.size(), '\0'));
    return bmp;
}

QImage drawDefaultCover()
{
    // A bound album: a dark red cover with a gold label and a small landscape.
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(kCoverPalette[2]);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kCoverPalette[1]));
    p.drawRect(0, 0, 8, 64); // spine
    p.setBrush(QColor(kCoverPalette[3]));
    p.drawRect(8, 0, 2, 64);
    p.drawRect(16, 8, 42, 2);
    p.drawRect(16, 54, 42, 2);
    // Framed photo on the cover.
    p.setBrush(QColor(kCoverPalette[8]));
    p.drawRect(19, 16, 36, 32);
    p.setBrush(QColor(kCoverPalette[10]));
    p.drawRect(21, 18, 32, 28);
    p.setBrush(QColor(kCoverPalette[7]));
    p.drawEllipse(QPoint(45, 25), 4, 4);
    QPolygon hill;
    hill << QPoint(21, 46) << QPoint(31, 30) << QPoint(38, 38) << QPoint(44, 33) << QPoint(53, 42)
         << QPoint(53, 46);
    p.setBrush(QColor(kCoverPalette[5]));
    p.drawPolygon(hill);
    p.setBrush(QColor(kCoverPalette[6]));
    p.drawRect(21, 43, 32, 3);
    p.end();
    return img.convertToFormat(QImage::Format_Indexed8, kCoverPalette, Qt::ThresholdDither);
}

QImage drawStartupPicture()
{
    QImage img(480, 300, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(32, 52, 92));
    sky.setColorAt(1, QColor(86, 120, 170));
    p.fillRect(img.rect(), sky);

    // A fan of photo prints.
    const QList<QColor> tints = {QColor(240, 170, 90), QColor(120, 190, 140),
                                 QColor(140, 170, 230)};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(88 + i * 36, 150);
        p.rotate(-14 + i * 14);
        p.setPen(QPen(QColor(0, 0, 0, 60), 1));
        p.setBrush(QColor(250, 250, 245));
        p.drawRect(-46, -37, 92, 74);
        p.setPen(Qt::NoPen);
        p.setBrush(tints[i]);
        p.drawRect(-40, -31, 80, 52);
        QPainterPath hill;
        hill.moveTo(-40, 21);
        hill.cubicTo(-18, -10, 10, 10, 40, -8);
        hill.lineTo(40, 21);
        hill.closeSubpath();
        p.setBrush(tints[i].darker(140));
        p.drawPath(hill);
        p.restore();
    }

    p.setPen(Qt::white);
    QFont title(QStringLiteral("IPAPGothic"));
    title.setPixelSize(44);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(236, 80, 240, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromLatin1(kProgramName));
    QFont sub(QStringLiteral("IPAPGothic"));
    sub.setPixelSize(14);
    p.setFont(sub);
    p.drawText(QRect(238, 140, 240, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("フォトアルバム・オーガナイザー"));
    p.setPen(QColor(210, 220, 240));
    p.drawText(QRect(238, 166, 240, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("アルバムを並べて、選んで、眺める"));
    p.end();
    return img;
}

QByteArray buildImageBmp()
{
    QByteArray file = encodeRle8Bmp(drawDefaultCover(), kCoverBytes);
    if (file.isEmpty())
        qFatal("the default cover does not fit in %lld bytes", kCoverBytes);

    QByteArray picture;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    drawStartupPicture().save(&buffer, "PNG");
    if (picture.size() > kSplashBytes) {
        picture.clear();
        buffer.seek(0);
        drawStartupPicture().save(&buffer, "JPG", 92);
    }
    if (picture.size() > kSplashBytes)
        qFatal("the start-up picture does not fit in %lld bytes", kSplashBytes);
    picture.append(QByteArray(kSplashBytes - picture.size(), '\0'));
    return file + picture;
}

} // namespace quorbell::tools
