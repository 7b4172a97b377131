// Writes a sample container file of painted albums, for trying the program
// and quorbell-cli on containers of any size.
#include "ContainerMaker.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

using namespace quorbell::tools;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: make_container OUT COUNT [--size 60..120] [--password TEXT]\n"
                         "       [--depth 1|4|8|rle8|16|24|32|bitfields32] [--no-folder]\n");
    return 2;
}

std::optional<BmpKind> kindFromText(const QString& t)
{
    static const QList<std::pair<QString, BmpKind>> kinds = {
        {QStringLiteral("1"), BmpKind::Mono1},
        {QStringLiteral("4"), BmpKind::Palette4},
        {QStringLiteral("8"), BmpKind::Palette8},
        {QStringLiteral("rle8"), BmpKind::Rle8},
        {QStringLiteral("16"), BmpKind::Rgb16},
        {QStringLiteral("24"), BmpKind::Rgb24},
        {QStringLiteral("32"), BmpKind::Rgb32},
        {QStringLiteral("bitfields32"), BmpKind::Bitfields32},
    };
    for (const auto& [name, kind] : kinds) {
        if (name == t)
            return kind;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() < 2)
        return usage();
    SampleOptions options;
    bool ok = false;
    options.count = args.at(1).toInt(&ok);
    if (!ok || options.count < 0 || options.count > 32767)
        return usage();
    options.kinds.clear();
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const QString value = i + 1 < args.size() ? args.at(i + 1) : QString();
        if (a == QLatin1String("--size")) {
            options.cellSize = value.toInt(&ok);
            if (!ok)
                return usage();
            ++i;
        } else if (a == QLatin1String("--password")) {
            options.password = value;
            ++i;
        } else if (a == QLatin1String("--depth")) {
            const std::optional<BmpKind> kind = kindFromText(value);
            if (!kind)
                return usage();
            options.kinds.append(*kind);
            ++i;
        } else if (a == QLatin1String("--no-folder")) {
            options.withFolder = false;
        } else {
            return usage();
        }
    }
    if (options.kinds.isEmpty())
        options.kinds.append(BmpKind::Rgb24);
    QFile out(args.at(0));
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(assembleContainer(sampleContainer(options))) < 0) {
        std::fprintf(stderr, "make_container: cannot write %s\n", qPrintable(args.at(0)));
        return 1;
    }
    return 0;
}
