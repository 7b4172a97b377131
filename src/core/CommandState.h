// The enabled state of toolbar buttons and menu commands. A switchable button
// has a bit in the command state word; switching it also swaps its picture and
// switches the menu items that stand for the same command. A switch acts only
// when the bit says the button is in the other state, so repeated calls are free.
#pragma once

#include "core/Command.h"

#include <QList>
#include <initializer_list>

namespace quorbell {

class frmMain;

// Bits of the command state word: set while the toolbar button is enabled.
namespace Cmd {
inline constexpr quint16 Save = 0x1000;
inline constexpr quint16 Cut = 0x0800;
inline constexpr quint16 Copy = 0x0400;
inline constexpr quint16 Paste = 0x0200;
inline constexpr quint16 Delete = 0x0100;
inline constexpr quint16 Insert = 0x0080;
inline constexpr quint16 Rename = 0x0010;
inline constexpr quint16 Slide = 0x0004;
inline constexpr quint16 Random = 0x0002;
inline constexpr quint16 Cover = 0x0001;
inline constexpr quint16 AtStart = 0x1FFF;
} // namespace Cmd

// The button's picture, "img" or "imgNo" + the table's image suffix, and its
// menu item and shortcut-menu item (where it has one) switch with it.
struct SwitchableButton
{
    quint16 bit;
    Command command;
};

const QList<SwitchableButton>& switchableButtons();

// Switches one button (by its bit) on or off, with its picture, its bit and its menu items.
void switchButtonOn(frmMain& w, quint16 bit);
void switchButtonOff(frmMain& w, quint16 bit);

// Enables or disables the menu-bar items of commands (not their
// shortcut-menu items).
void setMenuItemsEnabled(frmMain& w, std::initializer_list<Command> commands, bool enabled);

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
