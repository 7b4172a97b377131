// The status bar follows the document: while the grid is shown, panel 1
// counts the albums shown whenever entries come or go or the mode changes,
// so the commands that add or remove entries do not set it themselves.
#pragma once

namespace quorbell {

class frmMain;

void connectStatusPanels(frmMain& w);

} // namespace quorbell
