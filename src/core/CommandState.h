// The enabled state of toolbar buttons and menu commands. A switchable button
// has a bit in the command state word; switching it also swaps its picture and
// switches the menu items that stand for the same command. A switch acts only
// when the bit says the button is in the other state, so repeated calls are free.
#pragma once

#include <QString>
#include <QStringList>

namespace quorbell {

class frmMain;

struct SwitchableButton
{
    quint16 bit;
    const char* key;       // toolbar button key
    const char* image;     // picture while enabled; "imgNo..." while disabled
    QStringList menuItems; // menu items switched with it
};

const QList<SwitchableButton>& switchableButtons();

// Switches one button (by its bit) on or off, with its picture, its bit and its menu items.
void switchButtonOn(frmMain& w, quint16 bit);
void switchButtonOff(frmMain& w, quint16 bit);

// Enables or disables menu items that have no toolbar button.
void setMenuItemsEnabled(frmMain& w, const QStringList& names, bool enabled);

void DisableSelectionItems(frmMain& w);
void EnableSelectionItems(frmMain& w);
void DisableGridItems(frmMain& w);
void EnableGridItems(frmMain& w);

// Switches Paste off when it is on (start-up, new grid, container opened).
void switchPasteOffIfOn(frmMain& w);
// Save and batch Rename become available, with their menu items (container
// opened, saved as).
void makeSaveAvailable(frmMain& w);

} // namespace quorbell
