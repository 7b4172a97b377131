#include "cli/Commands.h"

namespace quorbell::cli {

const QList<Command>& allCommands()
{
    static const QList<Command> commands = {
    };
    return commands;
}

} // namespace quorbell::cli
