#include "cli/Commands.h"

#include "cli/AlbumCommands.h"
#include "cli/ContainerCommands.h"

namespace quorbell::cli {

const QList<Command>& allCommands()
{
    static const QList<Command> commands = {
        kAlbumInfoCommand, kAlbumExtractCommand, kAlbumMakeCommand,
        containerInfoCommand(),
        thumbnailExportCommand(),
    };
    return commands;
}

} // namespace quorbell::cli
