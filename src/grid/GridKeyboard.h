// The grid's keys: the arrows, Home/End and Page Up/Down move the selection
// as a click on the cell would, scrolling it into sight; Enter starts the
// slideshow, Shift+Enter the random display; Escape clears a selection.
#pragma once

class QKeyEvent;

namespace quorbell {

class frmMain;

// True when the key was the grid's (modes 3 and 4); other keys go on to the
// window's own handlers (Delete, Escape while loading).
bool handleGridKey(frmMain& w, const QKeyEvent& event);

// Sends the grid surface's key presses to handleGridKey first.
void installGridKeyboard(frmMain& w);

} // namespace quorbell
