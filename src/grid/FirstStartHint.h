// The hint an empty main window shows in its grid area: what New and Open do,
// their keys, and that files can be dropped here. It is drawn into the
// window's persistent image, so the first document's drawing replaces it, and
// it is not drawn again once anything has been chosen.
#pragma once

#include <QStringList>

namespace quorbell {

class frmMain;

// The hint's lines.
QStringList firstStartHintLines();

// Shows the hint now and on every resize of the empty window, until the
// loading loop first runs.
void installFirstStartHint(frmMain& w);

} // namespace quorbell
