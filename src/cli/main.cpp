// quorbell-cli: the program's file work without a window.
#include "cli/Commands.h"
#include "core/Version.h"

#include <QCoreApplication>

using namespace quorbell::cli;

namespace {

void printHelp()
{
    out() << "Usage: quorbell-cli COMMAND [ARGS...]\n"
          << "       quorbell-cli --help | --version\n\n"
          << "Works on album files (.sld) and container files (.cov) without a window.\n\n"
          << "Commands:\n";
    for (const Command& c : allCommands()) {
        out() << "  " << c.name << " " << c.usage << "\n"
              << "      " << QString::fromUtf8(c.summary) << "\n";
    }
    out() << "\nExit status: 0 done; 1 file missing or unreadable; 2 wrong usage;\n"
          << "3 not a valid album or container file; 4 password required or wrong.\n";
}

int runCommandLine(const QStringList& args)
{
    if (args.isEmpty()) {
        printHelp();
        return kUsage;
    }
    const QString& first = args.constFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        first == QLatin1String("help")) {
        printHelp();
        return kDone;
    }
    if (first == QLatin1String("--version")) {
        out() << quorbell::kVersionText << "\n";
        return kDone;
    }
    for (const Command& c : allCommands()) {
        if (first == QLatin1String(c.name))
            return c.run(args.mid(1));
    }
    return fail(kUsage, QStringLiteral("unknown command \"%1\" (see --help)").arg(first));
}

} // namespace

int main(int argc, char* argv[])
{
    // Image codecs work without a window system: no display is needed.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorbell-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quorbell::kVersionText));

    // Output that never arrived is a failure, whatever the command made of it.
    return finishOutput(runCommandLine(QCoreApplication::arguments().mid(1)));
}
