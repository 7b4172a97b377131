// What the main window does when it loads and when it is closed.
#pragma once

#include <QString>

namespace quorbell {

class frmMain;

// Loads the window: screen size, data folder, settings (created with defaults
// on a fresh machine), the enabled state of the commands, interface mode 0,
// and the container named on the command line (one pair of surrounding
// quotation marks removed).
void frmMain_Form_Load(frmMain& w, const QString& commandLinePath);

// Asks about unsaved changes and saves the window size; false when the
// program must stay open (the user chose to save and the save did not happen).
bool frmMain_Form_Unload(frmMain& w);

// Reads the settings file into the state; an "optCover=False" line greys
// the cover button and its menu item.
void readSettingsIntoWindow(frmMain& w);

// Applies the window size read from the settings file (twips), within the screen.
void applyStoredWindowSize(frmMain& w);

} // namespace quorbell
