#include "cli/CliCommon.h"

#include <cstdio>

namespace quorbell::cli {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

int fail(int status, const QString& message)
{
    out().flush();
    err() << "quorbell-cli: " << message << Qt::endl;
    return status;
}

} // namespace quorbell::cli
