// Writes the data file "Image.bmp" (default cover and start-up picture).
#include "ImageBmpMaker.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_image_bmp OUT\n");
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly) || f.write(quorbell::tools::buildImageBmp()) < 0)
        return 1;
    return 0;
}
