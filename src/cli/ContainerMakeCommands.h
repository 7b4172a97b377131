// quorbell-cli commands that bring containers and album files together:
// container-make writes a container from album files, container-verify checks
// the album files beside a container, list prints or writes its album list.
#pragma once

#include "cli/CliCommon.h"

namespace quorbell::cli {

Command containerMakeCommand();
Command containerVerifyCommand();
Command albumListCommand();

} // namespace quorbell::cli
