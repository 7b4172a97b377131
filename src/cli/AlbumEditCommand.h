// quorbell-cli album-edit: photos added, removed, moved, hidden or shown and
// the password set or taken away in an album file, written back in place.
#pragma once

#include "cli/CliCommon.h"

namespace quorbell::cli {

extern const Command kAlbumEditCommand;

} // namespace quorbell::cli
