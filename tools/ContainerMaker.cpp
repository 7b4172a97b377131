#include "ContainerMaker.h"

#include "ImageBmpMaker.h"

#include "core/BinaryIO.h"
#include "core/CellFit.h"
#include "core/Cp932.h"
#include "core/PasswordForm.h"

#include <QtEndian>

namespace quorbell::tools {
namespace {

int strideOf(int width, int depth)
{
    return (width * depth + 31) / 32 * 4;
}

// File header and a 40-byte information header; the size field is patched in
// by finish().
QByteArray infoHeader(int w, int h, int depth, quint32 compression, int paletteColours,
                      int extraBytes, int pixelBytes)
{
    QByteArray b;
    b.append("BM");
    appendLE32(b, 0);
    appendLE32(b, 0);
    appendLE32(b, quint32(14 + 40 + extraBytes + paletteColours * 4));
    appendLE32(b, 40);
    appendLE32(b, quint32(w));
    appendLE32(b, quint32(h));
    appendLE16(b, 1);
    appendLE16(b, depth);
    appendLE32(b, compression);
    appendLE32(b, quint32(pixelBytes));
    appendLE32(b, 0);
    appendLE32(b, 0);
    appendLE32(b, quint32(paletteColours));
    appendLE32(b, 0);
    return b;
}

QByteArray finish(QByteArray bmp)
{
    qToLittleEndian(quint32(bmp.size()), bmp.data() + 2);
    return bmp;
}

void appendPalette(QByteArray& b, const QList<QRgb>& colours)
{
    for (QRgb c : colours) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append('\0');
    }
}

const QList<QRgb>& vgaPalette()
{
    static const QList<QRgb> p = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return p;
}

const QList<QRgb>& cubePalette()
{
    static const QList<QRgb> p = [] {
        QList<QRgb> c;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    c.append(qRgb(r * 51, g * 51, b * 51));
        return c;
    }();
    return p;
}

int nearest(const QList<QRgb>& palette, QRgb c)
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(c) - qRed(palette[i]);
        const int dg = qGreen(c) - qGreen(palette[i]);
        const int db = qBlue(c) - qBlue(palette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

int cubeIndex(QRgb c)
{
    return (qRed(c) + 25) / 51 * 36 + (qGreen(c) + 25) / 51 * 6 + (qBlue(c) + 25) / 51;
}

QByteArray paletteBmp(const QImage& src, int depth)
{
    const int w = src.width();
    const int h = src.height();
    const QList<QRgb> palette = depth == 1   ? QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}
                                : depth == 4 ? vgaPalette()
                                             : cubePalette();
    const int stride = strideOf(w, depth);
    QByteArray bmp = infoHeader(w, h, depth, 0, int(palette.size()), 0, stride * h);
    appendPalette(bmp, palette);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = src.pixel(x, y);
            const int index = depth == 1   ? (qGray(c) >= 128 ? 1 : 0)
                              : depth == 4 ? nearest(palette, c)
                                           : cubeIndex(c);
            const int bit = x * depth;
            row[bit / 8] = char(uchar(row[bit / 8]) | index << (8 - depth - bit % 8));
        }
        bmp.append(row);
    }
    return finish(bmp);
}

QByteArray rle8Bmp(const QImage& src)
{
    QImage indexed(src.size(), QImage::Format_Indexed8);
    indexed.setColorTable(cubePalette());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            indexed.setPixel(x, y, uint(cubeIndex(src.pixel(x, y))));
    // The encoder pads to the room it is given; the file ends at its
    // end-of-bitmap mark, the last non-zero byte.
    const qsizetype room = 14 + 40 + 256 * 4 + qsizetype(src.width() + 2) * 2 * src.height() + 64;
    QByteArray bmp = encodeRle8Bmp(indexed, room);
    qsizetype end = bmp.size();
    while (end > 0 && bmp[end - 1] == '\0')
        --end;
    bmp.truncate(end);
    return finish(bmp);
}

QByteArray directBmp(const QImage& src, BmpKind kind)
{
    const int w = src.width();
    const int h = src.height();
    const int depth = kind == BmpKind::Rgb16                                     ? 16
                      : (kind == BmpKind::Rgb32 || kind == BmpKind::Bitfields32) ? 32
                                                                                 : 24;
    const int stride = strideOf(w, depth);
    QByteArray bmp;
    if (kind == BmpKind::Core24) {
        bmp.append("BM");
        appendLE32(bmp, 0);
        appendLE32(bmp, 0);
        appendLE32(bmp, 14 + 12);
        appendLE32(bmp, 12);
        appendLE16(bmp, w);
        appendLE16(bmp, h);
        appendLE16(bmp, 1);
        appendLE16(bmp, 24);
    } else if (kind == BmpKind::Bitfields32) {
        // Masks in the reverse of the usual order: red in the low byte.
        bmp = infoHeader(w, h, 32, 3, 0, 12, stride * h);
        appendLE32(bmp, 0x000000FF);
        appendLE32(bmp, 0x0000FF00);
        appendLE32(bmp, 0x00FF0000);
    } else {
        bmp = infoHeader(w, kind == BmpKind::TopDown24 ? -h : h, depth, 0, 0, 0, stride * h);
    }
    for (int i = 0; i < h; ++i) {
        const int y = kind == BmpKind::TopDown24 ? i : h - 1 - i;
        QByteArray row(stride, '\0');
        char* p = row.data();
        for (int x = 0; x < w; ++x) {
            const QRgb c = src.pixel(x, y);
            switch (depth) {
            case 16:
                qToLittleEndian(
                    quint16((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3), p);
                p += 2;
                break;
            case 24:
                *p++ = char(qBlue(c));
                *p++ = char(qGreen(c));
                *p++ = char(qRed(c));
                break;
            default:
                if (kind == BmpKind::Bitfields32) {
                    *p++ = char(qRed(c));
                    *p++ = char(qGreen(c));
                    *p++ = char(qBlue(c));
                } else {
                    *p++ = char(qBlue(c));
                    *p++ = char(qGreen(c));
                    *p++ = char(qRed(c));
                }
                *p++ = '\0';
                break;
            }
        }
        bmp.append(row);
    }
    return finish(bmp);
}

QByteArray textBytes(const QString& text)
{
    return cp932::encodeExact(text).value_or(QByteArray());
}

} // namespace

QByteArray makeBmp(const QImage& picture, BmpKind kind)
{
    const QImage src = picture.convertToFormat(QImage::Format_RGB32);
    switch (kind) {
    case BmpKind::Mono1:
        return paletteBmp(src, 1);
    case BmpKind::Palette4:
        return paletteBmp(src, 4);
    case BmpKind::Palette8:
        return paletteBmp(src, 8);
    case BmpKind::Rle8:
        return rle8Bmp(src);
    default:
        return directBmp(src, kind);
    }
}

QByteArray makeRleBmp(int depth, QSize size, const QList<QRgb>& palette, const QByteArray& runs)
{
    const quint32 compression = depth == 4 ? 2 : 1;
    QByteArray bmp = infoHeader(size.width(), size.height(), depth, compression,
                                int(palette.size()), 0, int(runs.size()));
    appendPalette(bmp, palette);
    bmp.append(runs);
    return finish(bmp);
}

QImage paintThumbnail(int seed, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int band = height / 3;
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (y >= band && y < band + std::max(1, height / 6)) {
                row[x] = qRgb((seed * 53) & 255, (seed * 101 + 80) & 255, (seed * 29 + 160) & 255);
            } else {
                row[x] = qRgb((x * 255 / std::max(1, width - 1) + seed * 37) & 255,
                              (y * 255 / std::max(1, height - 1) + seed * 91) & 255,
                              ((x + y) * 4 + seed * 13) & 255);
            }
        }
    }
    return image;
}

QByteArray dateEntry(double oleDate)
{
    ByteWriter w;
    w.variant(DateVariant::fromDate(oleDate));
    return w.data();
}

QByteArray textDateEntry(const QByteArray& cp932Text)
{
    ByteWriter w;
    w.u16(kTagText);
    w.stringBytes(cp932Text);
    return w.data();
}

QByteArray emptyDateEntry()
{
    ByteWriter w;
    w.u16(kTagEmpty);
    return w.data();
}

QByteArray assembleContainer(const RawContainer& c, ContainerLayout* layout)
{
    ContainerLayout l;
    ByteWriter w;
    w.bytes(c.magic);
    w.bytes(c.password);
    w.i16(c.count.value_or(qint16(c.entries.size())));
    w.i16(c.cellSize);
    l.sizeWords = w.data().size();
    for (const RawEntry& e : c.entries)
        w.i32(e.sizeWord);
    l.names = w.data().size();
    for (const RawEntry& e : c.entries)
        w.stringBytes(e.name);
    l.comments = w.data().size();
    for (const RawEntry& e : c.entries)
        w.stringBytes(e.comment);
    l.records = w.data().size();
    for (const RawEntry& e : c.entries) {
        l.recordStarts.append(w.data().size());
        w.i32(e.recordLength.value_or(qint32(e.bmp.size())));
        w.bytes(e.bmp);
    }
    l.fileSizes = w.data().size();
    for (const RawEntry& e : c.entries)
        w.i32(e.fileSize);
    l.dates = w.data().size();
    for (const RawEntry& e : c.entries)
        w.bytes(e.date);
    l.folder = w.data().size();
    if (c.albumFolder)
        w.stringBytes(*c.albumFolder);
    l.end = w.data().size();
    if (layout)
        *layout = l;
    return w.data();
}

RawContainer sampleContainer(const SampleOptions& o)
{
    static const QSize kPhotoSizes[] = {{640, 480},  {480, 640}, {60, 40},
                                        {1024, 768}, {300, 100}, {100, 100}};
    RawContainer c;
    c.cellSize = qint16(o.cellSize);
    if (o.password)
        c.password = passwordToBytes(storedPasswordForm(*o.password));
    for (int i = 0; i < o.count; ++i) {
        const int number = i + 1;
        QString name;
        QString comment;
        switch (i % 3) {
        case 0:
            name = QStringLiteral("アルバム%1.sld").arg(number);
            comment = QStringLiteral("アルバム%1").arg(number);
            break;
        case 1:
            name = QStringLiteral("album%1.sld").arg(number);
            comment = QStringLiteral("Album %1").arg(number);
            break;
        default:
            name = QStringLiteral("写真_%1.SLD").arg(number);
            comment = QStringLiteral("旅行の写真 %1").arg(number);
            break;
        }
        if (o.hiddenEvery > 0 && number % o.hiddenEvery == 0)
            name.prepend(QLatin1Char('*'));
        const QSize photo = kPhotoSizes[i % std::size(kPhotoSizes)];
        const QSize thumb = fitToCell(photo, o.cellSize);

        RawEntry e;
        e.name = textBytes(name);
        e.comment = textBytes(comment);
        e.sizeWord = packPair(photo.width(), photo.height());
        e.bmp = makeBmp(paintThumbnail(i, thumb.width(), thumb.height()),
                        o.kinds.at(i % o.kinds.size()));
        e.fileSize = 100000 + i * 1234;
        switch (i % 4) {
        case 0:
            e.date = dateEntry(37623.5 + i); // 2003-01-02 12:00 onwards
            break;
        case 1:
            e.date = textDateEntry(QByteArrayLiteral("03/01/02 0:00:00"));
            break;
        case 2:
            e.date = textDateEntry(QByteArrayLiteral("2003/01/02 0:00:00"));
            break;
        default:
            e.date = emptyDateEntry();
            break;
        }
        c.entries.append(e);
    }
    if (o.withFolder)
        c.albumFolder = textBytes(o.albumFolder);
    return c;
}

} // namespace quorbell::tools
