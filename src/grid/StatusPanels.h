// The status bar follows the document and the interface mode: while the grid
// is shown, panel 1 counts the albums shown, and panels 2 and 3 name the
// selected album, or show the hidden count when nothing is selected. The
// commands that change the document do not set them; the loading loop sets
// its running count itself.
#pragma once

class QObject;

namespace quorbell {

class frmMain;

// The connections live as long as `context`.
void connectStatusPanels(frmMain& w, QObject* context);

} // namespace quorbell
