// The main window's caption names the open container file, or only the
// program while the document has none; it follows the document's path.
#pragma once

#include <QString>

namespace quorbell {

class frmMain;

// "<file name> - Quorbell".
QString containerCaption(const QString& path);

// From now on the caption changes with the document's container path.
void followContainerPath(frmMain& w);

} // namespace quorbell
