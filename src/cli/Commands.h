// The table of quorbell-cli commands; each subsystem adds its own.
#pragma once

#include "cli/CliCommon.h"

#include <QList>

namespace quorbell::cli {

const QList<Command>& allCommands();

} // namespace quorbell::cli
