// Where a document with unsaved changes is kept when the program is told to
// end (a signal, a session ending without a chance to ask): container files
// in a private folder of the user's state folder, offered again at the next
// start.
#pragma once

#include "container/ContainerDocument.h"
#include "container/ContainerError.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorbell::container {

// $XDG_STATE_HOME/Quorbell/recovery/ ($HOME/.local/state when the variable is
// unset or not an absolute path), ending in "/".
QString recoveryFolder();

// Writes `doc` as a new container in the recovery folder, made (mode 0700)
// when missing; the path of the file written, or why it failed.
ContainerResult<QString> keepForRecovery(const ContainerDocument& doc);

// The kept containers, newest first. Only complete files count: a write in
// progress has a temporary name.
QStringList recoveryFiles();

} // namespace quorbell::container
