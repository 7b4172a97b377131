// Writes the application icon into a hicolor theme folder: a PNG at every
// installed size under <size>x<size>/apps/ and the SVG under scalable/apps/.
#include "AppIconMaker.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

using namespace quorbell::tools;

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_app_icon HICOLOR_DIR ICON_NAME\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : appIconSizes()) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !drawAppIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "make_app_icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString folder = root + QStringLiteral("/scalable/apps");
    QFile svg(folder + QLatin1Char('/') + name + QStringLiteral(".svg"));
    if (!QDir().mkpath(folder) || !svg.open(QIODevice::WriteOnly) || svg.write(appIconSvg()) < 0) {
        std::fprintf(stderr, "make_app_icon: cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }
    return 0;
}
