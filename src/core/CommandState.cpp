#include "core/CommandState.h"

#include "core/GlobalState.h"
#include "core/frmMain.h"

#include <QAction>

namespace quorbell {

const QList<SwitchableButton>& switchableButtons()
{
    static const QList<SwitchableButton> buttons = {
        {Cmd::Save, "btnSave", "Save", {"mnuContnrSave"}},
        {Cmd::Cut, "btnCut", "Cut", {"mnuEditCut", "mnuMenuCut"}},
        {Cmd::Copy, "btnCopy", "Copy", {"mnuEditCopy", "mnuMenuCopy"}},
        {Cmd::Paste, "btnPut", "Put", {"mnuEditPut", "mnuMenuPut"}},
        {Cmd::Delete, "btnDelete", "Delete", {"mnuEditDelete", "mnuMenuDelete"}},
        {Cmd::Insert, "btnInsert", "Insert", {"mnuEditInsert"}},
        {Cmd::Rename, "btnRename", "Rename", {"mnuEditRename"}},
        {Cmd::Slide, "btnSlide", "Slide", {"mnuViewSlide"}},
        {Cmd::Random, "btnRandom", "Random", {"mnuViewRandom"}},
        {Cmd::Cover, "btnCover", "Cover", {"mnuViewCover"}},
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
    GlobalState& g = stdGlobal();
    if (((g.commandState & bit) != 0) == on)
        return;
    const SwitchableButton& b = buttonFor(bit);
    const QString key = QString::fromLatin1(b.key);
    const QString name = QString::fromLatin1(b.image);
    w.setButtonImage(key, (on ? QStringLiteral("img") : QStringLiteral("imgNo")) + name);
    w.button(key)->setEnabled(on);
    g.commandState = on ? (g.commandState | bit) : (g.commandState & ~bit);
    setMenuItemsEnabled(w, b.menuItems, on);
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

void setMenuItemsEnabled(frmMain& w, const QStringList& names, bool enabled)
{
    for (const QString& name : names)
        w.menuItem(name)->setEnabled(enabled);
}

void DisableSelectionItems(frmMain& w)
{
    for (quint16 bit : {Cmd::Cut, Cmd::Copy, Cmd::Delete, Cmd::Insert})
        switchButtonOff(w, bit);
    setMenuItemsEnabled(w, {"mnuAlbumDelete", "mnuContnrInfo", "mnuMenuInfo"}, false);
}

void EnableSelectionItems(frmMain& w)
{
    const GlobalState& g = stdGlobal();
    // After a Cut, Cut and Copy stay off until a paste clears the Paste bit.
    if (!(g.commandState & Cmd::Paste)) {
        switchButtonOn(w, Cmd::Cut);
        switchButtonOn(w, Cmd::Copy);
    }
    switchButtonOn(w, Cmd::Delete);
    // Insert only for a grid that was saved as or read from a container file.
    if (!g.has(Flag::GridSource))
        switchButtonOn(w, Cmd::Insert);
    // Properties show and edit the selected album: nothing to show without one.
    setMenuItemsEnabled(w, {"mnuAlbumDelete", "mnuContnrInfo", "mnuMenuInfo"}, true);
}

void DisableGridItems(frmMain& w)
{
    for (quint16 bit : {Cmd::Save, Cmd::Rename, Cmd::Slide, Cmd::Random})
        switchButtonOff(w, bit);
    setMenuItemsEnabled(w,
                        {"mnuContnrAdd", "mnuContnrDelete", "mnuAlbumDelete", "mnuContnrList",
                         "mnuContnrInfo", "mnuEditSort"},
                        false);
}

void EnableGridItems(frmMain& w)
{
    switchButtonOn(w, Cmd::Slide);
    switchButtonOn(w, Cmd::Random);
    setMenuItemsEnabled(w, {"mnuContnrAdd", "mnuContnrList", "mnuEditSort"}, true);
}

void switchPasteOffIfOn(frmMain& w)
{
    switchButtonOff(w, Cmd::Paste);
}

void makeSaveAvailable(frmMain& w)
{
    switchButtonOn(w, Cmd::Save);
    switchButtonOn(w, Cmd::Rename);
    setMenuItemsEnabled(w, {"mnuContnrSave", "mnuContnrDelete", "mnuEditRename"}, true);
}

} // namespace quorbell
