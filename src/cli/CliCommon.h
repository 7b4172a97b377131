// Shared pieces of quorbell-cli: exit statuses, output streams, the command table.
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <utility>

namespace quorbell::cli {

enum ExitStatus : int {
    kDone = 0,
    kFileError = 1,     // file missing or unreadable
    kUsage = 2,         // wrong usage
    kInvalidFile = 3,   // not a valid album or container file
    kPasswordError = 4, // password required or wrong
};

QTextStream& out();
QTextStream& err();

// One line on standard error naming what went wrong and which file; returns the status.
int fail(int status, const QString& message);

// Standard output flushed and checked once a command is done: when any of it
// was lost (a full disk, a closed pipe end), one line on standard error says
// why, and a command that had succeeded fails with kFileError.
int finishOutput(int status);

// Text from a file made safe to print: control characters (C0, DEL, C1) are
// shown as "\x1b" and the like, so a name can neither steer the terminal nor
// start a line of its own.
QString printable(const QString& text);

struct Command
{
    const char* name;
    const char* usage;                   // one line: arguments
    const char* summary;                 // one line: what it does
    int (*run)(const QStringList& args); // arguments after the command name
};

// Arguments split into options (with their values) and positional ones.
// `problem` is set on an unknown option or a missing value.
struct ParsedArgs
{
    QList<std::pair<QString, QString>> options;
    QStringList positional;
    QString problem;
};

// `flags` name the options without a value, `valued` those that take one
// ("--name value" or "--name=value"); "--" ends the options.
ParsedArgs parseArgs(const QStringList& args, const QStringList& flags, const QStringList& valued);

// The value of the last occurrence of an option; nothing when it is absent.
std::optional<QString> lastOption(const ParsedArgs& p, const QString& name);

// A JSON string literal: quotes, backslashes and control characters (C0, DEL,
// C1) escaped.
QString jsonString(const QString& s);

// One stderr line with the problem and the command's usage; returns kUsage.
int usage(const Command& c, const QString& problem);

} // namespace quorbell::cli
