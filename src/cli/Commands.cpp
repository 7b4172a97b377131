#include "cli/Commands.h"

#include "cli/AlbumCommands.h"
#include "cli/AlbumEditCommand.h"
#include "cli/AlbumMakeCommand.h"
#include "cli/ContainerCommands.h"
#include "cli/ContainerMakeCommands.h"
#include "cli/ThumbnailCommand.h"

namespace quorbell::cli {

const QList<Command>& allCommands()
{
    static const QList<Command> commands = {
        kAlbumInfoCommand,      kAlbumExtractCommand,     kAlbumMakeCommand,
        kAlbumEditCommand,      containerInfoCommand(),   thumbnailExportCommand(),
        containerMakeCommand(), containerVerifyCommand(), albumListCommand(),
        kThumbnailCommand,
    };
    return commands;
}

} // namespace quorbell::cli
