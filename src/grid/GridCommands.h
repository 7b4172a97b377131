// Connects the grid's handlers to the main window's events and commands.
#pragma once

namespace quorbell {
class frmMain;
void registerGridCommands(frmMain& w);
} // namespace quorbell
