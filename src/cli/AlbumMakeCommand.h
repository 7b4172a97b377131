// quorbell-cli album-make: an album file made from image files.
#pragma once

#include "cli/CliCommon.h"

namespace quorbell::cli {

extern const Command kAlbumMakeCommand;

} // namespace quorbell::cli
