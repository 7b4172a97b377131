// What the main window does when it loads and when it is closed.
#pragma once

#include <QSize>
#include <QString>

namespace quorbell {

class frmMain;

// Loads the window: screen size, data folder, settings (created with defaults
// on a fresh machine), the window size, the enabled state of the commands,
// interface mode 0; then shows the window, offers a document kept at the last
// end of the program, and opens the container named on the command line (one
// pair of surrounding quotation marks removed) when none was taken.
void frmMain_Form_Load(frmMain& w, const QString& commandLinePath);

// Asks about unsaved changes and saves the window size; false when the
// program must stay open (the user chose to save and the save did not happen).
bool frmMain_Form_Unload(frmMain& w);

// The exit when the program is told to end (a signal): no question; a
// document with unsaved changes is kept for the next start, then everything
// the ordinary exit does.
void unloadWithoutQuestions(frmMain& w);

// The desktop session is ending. With `mayAsk`, the usual question about
// unsaved changes; false when the session should not end (the user chose to
// save and the save did not happen). Without it, a document with unsaved
// changes is kept for the next start. Either way, the close that follows asks
// nothing more.
bool frmMain_SessionEnding(frmMain& w, bool mayAsk);

// Reads the settings file into the state; an "optCover=False" line greys
// the cover button and its menu item.
void readSettingsIntoWindow(frmMain& w);

// Applies the window size read from the settings file (twips), within the
// screen's available area.
void applyStoredWindowSize(frmMain& w);

// The window size the settings file keeps (device-independent pixels): the
// window's own size, but where the screen held the window back from the
// stored size, the stored size.
QSize windowSizeForSettings(const frmMain& w);
// Puts that size into the settings held in memory.
void recordWindowSize(frmMain& w);

} // namespace quorbell
