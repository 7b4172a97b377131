// Connects every subsystem's commands and event handlers to the main window.
#pragma once

namespace quorbell {
class frmMain;
void wireCommands(frmMain& w);
} // namespace quorbell
