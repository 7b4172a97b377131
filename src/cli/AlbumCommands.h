// quorbell-cli's album commands: album-info prints an album file's photo
// table, album-extract writes its photos' image bytes to a folder.
#pragma once

#include "album/AlbumError.h"
#include "cli/CliCommon.h"

namespace quorbell::cli {

extern const Command kAlbumInfoCommand;
extern const Command kAlbumExtractCommand;

// Exit status and one line for a failure to read an album file.
int albumFailure(const QString& path, album::AlbumFailure f);

// A stored photo name made into one safe file name component: no path
// separators, no control characters, no "..", at most 255 bytes.
QString safePhotoFileName(const QString& stored);

// One stderr line for an album that could not be read; returns the exit
// status: 1 when the file is missing or unreadable, 3 when it is not valid.
int albumFailure(const QString& path, album::AlbumFailure f);

} // namespace quorbell::cli
