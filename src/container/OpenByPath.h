// Opening a container named by path (a dropped file, a recent one) the way
// the Open command opens the file chosen in its dialog.
#pragma once

#include <QString>

namespace quorbell {

class frmMain;

// Unsaved changes first: Yes saves (and the user opens again afterwards, as
// with Open), No lets them go; then the container is read. True when it was
// read.
bool openContainerAsOpenDoes(frmMain& w, const QString& path);

} // namespace quorbell
