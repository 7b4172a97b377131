// The slideshow and random display commands of the main window, and the
// viewer window's handlers by their usual names, each forwarding to the
// window's show.
#pragma once

#include <Qt>

#include <functional>

namespace quorbell {

class frmMain;
class frmPicture;

// The start commands (modes 3 and 4 only).
void frmMain_mnuViewSlide_Click(frmMain& w);
void frmMain_mnuViewRandom_Click(frmMain& w);

// Reads the current album and starts the timer at 10 ms. Runs when the
// viewer window has been shown.
void frmPicture_Form_Activate(frmPicture& v);
// One step of the show.
void frmPicture_sldTimer_Timer(frmPicture& v);
// A mouse button pressed: in manual advance the left (or any other) button
// steps forward and the right one back.
void frmPicture_Form_MouseDown(frmPicture& v, Qt::MouseButton button);
// A double click closes the viewer in automatic advance.
void frmPicture_Form_DblClick(frmPicture& v);
// Esc (27) closes the viewer.
void frmPicture_Form_KeyPress(frmPicture& v, int ascii);

// Ends the show: pointer shown, window unloaded, interface mode back by 3.
void closeViewer(frmPicture& v);

// The slideshow and random-show commands, which the menu, the toolbar and the
// grid's double click run.
void registerViewerCommands(frmMain& w);

// The random values of viewers started from now on; an empty function
// restores drawing seeded from the clock. For tests that need a known order.
void setViewerRandomSource(std::function<double()> source);

} // namespace quorbell
