#include "core/CommandState.h"

#include "core/frmMain.h"

#include <QAction>

namespace quorbell {

const QList<SwitchableButton>& switchableButtons()
{
    static const QList<SwitchableButton> buttons = {
        {Cmd::Save, Command::ContnrSave},   {Cmd::Cut, Command::EditCut},
        {Cmd::Copy, Command::EditCopy},     {Cmd::Paste, Command::EditPut},
        {Cmd::Delete, Command::EditDelete}, {Cmd::Insert, Command::EditInsert},
        {Cmd::Rename, Command::EditRename}, {Cmd::Slide, Command::ViewSlide},
        {Cmd::Random, Command::ViewRandom}, {Cmd::Cover, Command::ViewCover},
    };
    return buttons;
}

namespace {

const SwitchableButton& buttonFor(quint16 bit)
{
    for (const SwitchableButton& b : switchableButtons()) {
        if (b.bit == bit)
            return b;
    }
    qFatal("no toolbar button for command bit %x", bit);
}

void switchButton(frmMain& w, quint16 bit, bool on)
{
    if (((w.commandState() & bit) != 0) == on)
        return;
    const Command command = buttonFor(bit).command;
    const CommandDef& def = commandDef(command);
    w.setButtonImage(command, (on ? QStringLiteral("img") : QStringLiteral("imgNo")) +
                                  QString::fromLatin1(def.image));
    w.button(command)->setEnabled(on);
    w.setCommandState(on ? (w.commandState() | bit) : (w.commandState() & ~bit));
    w.action(command)->setEnabled(on);
    if (def.shortcutName)
        w.shortcutItem(command)->setEnabled(on);
}

} // namespace

void switchButtonOn(frmMain& w, quint16 bit)
{
    switchButton(w, bit, true);
}

void switchButtonOff(frmMain& w, quint16 bit)
{
    switchButton(w, bit, false);
}

void setMenuItemsEnabled(frmMain& w, std::initializer_list<Command> commands, bool enabled)
{
    for (Command command : commands)
        w.action(command)->setEnabled(enabled);
}

void DisableSelectionItems(frmMain& w)
{
    for (quint16 bit : {Cmd::Cut, Cmd::Copy, Cmd::Delete, Cmd::Insert})
        switchButtonOff(w, bit);
    setMenuItemsEnabled(
        w, {Command::AlbumDelete, Command::ContnrInfo, Command::AlbumEdit, Command::PhotoExport},
        false);
    for (Command c : {Command::ContnrInfo, Command::AlbumEdit, Command::PhotoExport})
        w.shortcutItem(c)->setEnabled(false);
}

void EnableSelectionItems(frmMain& w)
{
    // After a Cut, Cut and Copy stay off until a paste clears the Paste bit.
    if (!(w.commandState() & Cmd::Paste)) {
        switchButtonOn(w, Cmd::Cut);
        switchButtonOn(w, Cmd::Copy);
    }
    switchButtonOn(w, Cmd::Delete);
    // Insert only for a grid that was saved as or read from a container file.
    if (!w.document().isGridSource())
        switchButtonOn(w, Cmd::Insert);
    // Properties show and edit the selected album: nothing to show without one.
    setMenuItemsEnabled(
        w, {Command::AlbumDelete, Command::ContnrInfo, Command::AlbumEdit, Command::PhotoExport},
        true);
    for (Command c : {Command::ContnrInfo, Command::AlbumEdit, Command::PhotoExport})
        w.shortcutItem(c)->setEnabled(true);
}

void DisableGridItems(frmMain& w)
{
    for (quint16 bit : {Cmd::Save, Cmd::Rename, Cmd::Slide, Cmd::Random})
        switchButtonOff(w, bit);
    setMenuItemsEnabled(w,
                        {Command::ContnrAdd, Command::ContnrDelete, Command::AlbumDelete,
                         Command::ContnrList, Command::ContnrInfo, Command::EditSort,
                         Command::AlbumEdit, Command::PhotoExport},
                        false);
}

void EnableGridItems(frmMain& w)
{
    switchButtonOn(w, Cmd::Slide);
    switchButtonOn(w, Cmd::Random);
    setMenuItemsEnabled(w, {Command::ContnrAdd, Command::ContnrList, Command::EditSort}, true);
}

void switchPasteOffIfOn(frmMain& w)
{
    switchButtonOff(w, Cmd::Paste);
}

void makeSaveAvailable(frmMain& w)
{
    switchButtonOn(w, Cmd::Save);
    switchButtonOn(w, Cmd::Rename);
    setMenuItemsEnabled(w, {Command::ContnrSave, Command::ContnrDelete, Command::EditRename}, true);
}

} // namespace quorbell
