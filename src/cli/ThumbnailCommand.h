// quorbell-cli thumbnail: the picture a file manager shows for an album or a
// container file. An album gives its first photo, a container a 2x2 mosaic
// of the thumbnails of its first four shown albums; both fitted to a square
// of SIZE pixels and written as PNG. Files protected by a password get none,
// so that a file manager never shows what a password locks.
#pragma once

#include "cli/CliCommon.h"

namespace quorbell::cli {

extern const Command kThumbnailCommand;

} // namespace quorbell::cli
