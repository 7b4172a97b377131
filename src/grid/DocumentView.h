// The window follows the document: its signals, and the window's interface
// mode, redraw the grid and set the scroll bar, fill the status panels and
// switch the commands, so that a command only changes the document (and the
// mode). While the loading loop fills the grid it draws the grid itself.
#pragma once

namespace quorbell {

class frmMain;

// Connects the grid, the status panels and the command states to the
// document once per window; a second call does nothing.
void installDocumentView(frmMain& w);

} // namespace quorbell
