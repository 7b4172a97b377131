#include "CliRunner.h"

#include <QProcess>

namespace quorbell::test {

namespace {

CliRun runBuilt(const QString& name, const QStringList& args, const QStringList& prefix,
                int timeoutMs, const std::function<void()>& inChild)
{
    const QString exe = qEnvironmentVariable("QUORBELL_TOOLS_DIR") + QLatin1Char('/') + name;
    QProcess p;
    if (inChild)
        p.setChildProcessModifier(inChild);
    if (prefix.isEmpty())
        p.start(exe, args);
    else
        p.start(prefix.first(), prefix.mid(1) + QStringList{exe} + args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

CliRun runCli(const QStringList& args, const QStringList& prefix, int timeoutMs,
              const std::function<void()>& inChild)
{
    return runBuilt(QStringLiteral("quorbell-cli"), args, prefix, timeoutMs, inChild);
}

CliRun runTool(const QString& name, const QStringList& args)
{
    return runBuilt(name, args, {}, 120000, {});
}

} // namespace quorbell::test
