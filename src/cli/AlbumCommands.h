// quorbell-cli's album commands: album-info prints an album file's photo
// table, album-extract writes its photos' image bytes to a folder.
#pragma once

#include "album/AlbumError.h"
#include "cli/CliCommon.h"

namespace quorbell::cli {

extern const Command kAlbumInfoCommand;
extern const Command kAlbumExtractCommand;

// One stderr line for an album that could not be read; returns the exit
// status: 1 when the file is missing or unreadable, 3 when it is not valid.
int albumFailure(const QString& path, album::AlbumFailure f);

} // namespace quorbell::cli
