// Shared pieces of quorbell-cli: exit statuses, output streams, the command table.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace quorbell::cli {

enum ExitStatus : int {
    kDone = 0,
    kFileError = 1,       // file missing or unreadable
    kUsage = 2,           // wrong usage
    kInvalidFile = 3,     // not a valid album or container file
    kPasswordError = 4,   // password required or wrong
};

QTextStream& out();
QTextStream& err();

// One line on standard error naming what went wrong and which file; returns the status.
int fail(int status, const QString& message);

struct Command
{
    const char* name;
    const char* usage;   // one line: arguments
    const char* summary; // one line: what it does
    int (*run)(const QStringList& args); // arguments after the command name
};

} // namespace quorbell::cli
