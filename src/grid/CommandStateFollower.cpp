#include "grid/CommandStateFollower.h"

#include "core/CommandState.h"
#include "core/frmMain.h"

#include <QAction>

namespace quorbell {
namespace {

void followMode(frmMain& w, qint16 mode, qint16 previous)
{
    if (Mode::isViewer(mode) || Mode::isViewer(previous))
        return;
    if (Mode::showsGrid(mode) && !Mode::showsGrid(previous)) {
        EnableGridItems(w);
        w.action(Command::ViewComment)->setEnabled(true);
    }
    // Losing the selection alone leaves the commands as they are: a sort
    // drops it and keeps them; a click beside the cells switches them itself.
    if (mode == Mode::Selected)
        EnableSelectionItems(w);
    if (mode == Mode::Empty && Mode::showsGrid(previous)) {
        DisableSelectionItems(w);
        DisableGridItems(w);
        w.action(Command::ViewComment)->setEnabled(false);
    }
    if (mode == Mode::Chosen) {
        // A new grid: nothing is shown yet, and nothing to paste into it.
        DisableSelectionItems(w);
        DisableGridItems(w);
        switchPasteOffIfOn(w);
    }
}

} // namespace

void connectCommandStates(frmMain& w, QObject* context)
{
    frmMain* win = &w;
    const AlbumDocument* doc = &w.document();
    QObject::connect(win, &frmMain::modeChanged, context,
                     [win](qint16 mode, qint16 previous) { followMode(*win, mode, previous); });
    // Selecting again, or an entry added before the selection.
    const auto selectionItems = [win] {
        if (win->mode() == Mode::Selected)
            EnableSelectionItems(*win);
    };
    QObject::connect(doc, &AlbumDocument::selectionChanged, context, selectionItems);
    QObject::connect(doc, &AlbumDocument::entriesInserted, context, selectionItems);
    // Entries removed or put back leave nothing selected.
    const auto noSelectionItems = [win] {
        if (win->isGridShown())
            DisableSelectionItems(*win);
    };
    QObject::connect(doc, &AlbumDocument::entriesRemoved, context, noSelectionItems);
    QObject::connect(doc, &AlbumDocument::entriesReset, context, noSelectionItems);
    QObject::connect(doc, &AlbumDocument::clipboardChanged, context,
                     [win] { switchButtonOn(*win, Cmd::Paste); });
}

} // namespace quorbell
