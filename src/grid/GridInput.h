// What the grid does with the mouse, the keys, the scroll bar, the wheel and
// a resize of the window.
#pragma once

#include <Qt>

namespace quorbell {

class frmMain;

// What a click on a cell or beside every cell does (modes 3 and 4): the
// grid redrawn, the selection frame, the status panels, the selection
// commands and the mode. The keyboard moves the selection through them too.
void selectGridEntry(frmMain& w, int index);
void clearGridSelection(frmMain& w);

void frmMain_Form_MouseDown(frmMain& w, Qt::MouseButton button, int x, int y);
void frmMain_Form_DblClick(frmMain& w);
void frmMain_Form_KeyDown(frmMain& w, int key);
void frmMain_Form_KeyPress(frmMain& w, int ascii);
void frmMain_VScroll_Scroll(frmMain& w);
void frmMain_Form_Resize(frmMain& w);
// One wheel notch scrolls one row, through the scroll bar (modes 3 and 4).
void scrollGridByRows(frmMain& w, int rows);

// Makes sure the mouse pointer shows over the main window (the viewer hides it).
void showPointer();

} // namespace quorbell
