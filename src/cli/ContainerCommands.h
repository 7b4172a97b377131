// quorbell-cli commands on container files that need no album reader:
// container-info and thumbnail-export.
#pragma once

#include "cli/CliCommon.h"
#include "container/ContainerError.h"

namespace quorbell::cli {

Command containerInfoCommand();
Command thumbnailExportCommand();

// One stderr line for a container that could not be read; returns the exit
// status: 1 when the file is missing or unreadable, 3 when it is not valid.
int failContainer(const container::ContainerError& e, const QString& path);

} // namespace quorbell::cli
