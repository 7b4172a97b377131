// Writes one painted sample photo as a camera would: a JPEG whose EXIF
// segment holds an orientation tag and an embedded thumbnail, for trying
// albums made from phone and camera photos.
#include "SamplePhotos.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

using namespace quorbell::tools;

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: make_sample_photo OUT.jpg WIDTHxHEIGHT [--seed N] [--orientation 0..8]\n"
                 "       [--thumbnail LONG_SIDE] [--quality 1..100]\n"
                 "WIDTHxHEIGHT is the upright picture; orientation 0 writes no tag, and the\n"
                 "thumbnail (none by default; cameras use 160) is made from the same picture.\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return usage();
    const QStringList wh = args.at(1).split(QLatin1Char('x'));
    bool okW = false, okH = false;
    const QSize size(wh.value(0).toInt(&okW), wh.value(1).toInt(&okH));
    if (wh.size() != 2 || !okW || !okH || size.isEmpty() || size.width() > 30000 ||
        size.height() > 30000)
        return usage();
    int seed = 1, orientation = 0, thumbnail = 0, quality = 90;
    for (int i = 2; i < args.size(); i += 2) {
        bool ok = false;
        const int value = args.value(i + 1).toInt(&ok);
        if (!ok)
            return usage();
        const QString& a = args.at(i);
        if (a == QLatin1String("--seed"))
            seed = value;
        else if (a == QLatin1String("--orientation") && value >= 0 && value <= 8)
            orientation = value;
        else if (a == QLatin1String("--thumbnail") && value >= 0 && value <= 1000)
            thumbnail = value;
        else if (a == QLatin1String("--quality") && value >= 1 && value <= 100)
            quality = value;
        else
            return usage();
    }
    const QByteArray jpeg =
        encodeCameraJpeg(paintSamplePhoto(size, quint32(seed)), orientation, thumbnail, quality);
    if (jpeg.isEmpty()) {
        std::fprintf(stderr, "make_sample_photo: the thumbnail does not fit in the EXIF segment\n");
        return 1;
    }
    QFile out(args.at(0));
    if (!out.open(QIODevice::WriteOnly) || out.write(jpeg) != jpeg.size()) {
        std::fprintf(stderr, "make_sample_photo: cannot write %s\n", qPrintable(args.at(0)));
        return 1;
    }
    return 0;
}
