#include "Unprivileged.h"

#include <QCoreApplication>
#include <QProcess>

#include <unistd.h>

namespace quorbell::test {

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

QStringList dropRootPrefix()
{
    if (!runningAsRoot())
        return {};
    // 65534 is nobody and nogroup on Debian.
    return {QStringLiteral("setpriv"), QStringLiteral("--reuid=65534"),
            QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")};
}

ChildTestRun rerunCurrentTestAsNobody()
{
    QString which = QString::fromLatin1(QTest::currentTestFunction());
    if (const char* tag = QTest::currentDataTag())
        which += QLatin1Char(':') + QString::fromUtf8(tag);
    QStringList words = dropRootPrefix();
    const QString program = words.takeFirst();
    words << QCoreApplication::applicationFilePath() << which;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(program, words);
    const bool finished = child.waitForFinished(240000);
    if (!finished)
        child.kill();
    child.waitForFinished();
    ChildTestRun run;
    run.output = child.readAll();
    run.passed = finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 &&
                 run.output.contains("Totals: ") && !run.output.contains("SKIP");
    if (!run.passed)
        run.output.prepend("the run as nobody failed (the build folder must be readable by "
                           "nobody):\n");
    return run;
}

} // namespace quorbell::test
