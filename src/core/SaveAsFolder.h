// The folder the Save As dialog starts in.
#pragma once

#include <QString>

namespace quorbell {

// The open container's folder; for a document never saved, the folder of
// its albums (where it must be saved for its albums to be found again).
QString saveAsStartFolder(const QString& containerPath, const QString& albumFolder);

} // namespace quorbell
