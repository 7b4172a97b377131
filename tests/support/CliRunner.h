// Runs the built quorbell-cli (or another of the built programs, from
// QUORBELL_TOOLS_DIR) and collects its exit status and output, for end-to-end
// tests of the command-line tools.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

namespace quorbell::test {

struct CliRun
{
    int status = -1; // -1 when it crashed or did not finish in time
    QByteArray out;
    QByteArray err;
};

// `prefix` runs the tool through another program (e.g. setpriv to drop root);
// `inChild` runs in the child just before the tool starts (e.g. to set limits).
CliRun runCli(const QStringList& args, const QStringList& prefix = {}, int timeoutMs = 120000,
              const std::function<void()>& inChild = {});

// The built program `name` with `args`, as runCli runs quorbell-cli.
CliRun runTool(const QString& name, const QStringList& args);

} // namespace quorbell::test
