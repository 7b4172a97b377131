#include "cli/Commands.h"

#include "cli/AlbumCommands.h"

namespace quorbell::cli {

const QList<Command>& allCommands()
{
    static const QList<Command> commands = {
        kAlbumInfoCommand, kAlbumExtractCommand, kAlbumMakeCommand,
    };
    return commands;
}

} // namespace quorbell::cli
