#include "grid/StatusPanels.h"

#include "core/frmMain.h"
#include "grid/GridGeometry.h"

namespace quorbell {
namespace {

void showSelected(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    const int s = doc.selectedIndex();
    w.setPanel(2, selectedNumberText(s));
    w.setPanel(3, s < doc.albumCount() ? selectedNameText(doc.entry(s).fileName) : QString());
}

void showNothingSelected(frmMain& w)
{
    w.setPanel(2, hiddenAlbumsText(w.document()));
    w.setPanel(3, QString());
}

void clearPanels(frmMain& w, int from)
{
    for (int panel = from; panel <= 3; ++panel)
        w.setPanel(panel, QString());
}

void followMode(frmMain& w, qint16 mode, qint16 previous)
{
    if (Mode::isViewer(mode) || Mode::isViewer(previous))
        return;
    if (mode == Mode::Selected)
        showSelected(w);
    else if (mode == Mode::Shown)
        showNothingSelected(w);
    else if (mode == Mode::Chosen || (mode == Mode::Empty && Mode::showsGrid(previous)))
        clearPanels(w, 1);
}

} // namespace

void connectStatusPanels(frmMain& w, QObject* context)
{
    frmMain* win = &w;
    const AlbumDocument* doc = &w.document();
    const auto showCount = [win] {
        // While loading, panel 1 counts the albums read instead.
        if (win->isGridShown())
            win->setPanel(1, shownAlbumsText(win->document()));
    };
    QObject::connect(doc, &AlbumDocument::entriesInserted, context, showCount);
    QObject::connect(doc, &AlbumDocument::entriesRemoved, context, showCount);
    QObject::connect(doc, &AlbumDocument::entriesReset, context, showCount);
    QObject::connect(doc, &AlbumDocument::hiddenCountChanged, context, showCount);
    QObject::connect(win, &frmMain::modeChanged, context, showCount);

    // Panels 2 and 3 while an entry is selected: it may have moved, or been renamed.
    const auto showSelection = [win] {
        if (win->mode() == Mode::Selected)
            showSelected(*win);
    };
    QObject::connect(doc, &AlbumDocument::selectionChanged, context, showSelection);
    QObject::connect(doc, &AlbumDocument::entriesInserted, context, showSelection);
    QObject::connect(doc, &AlbumDocument::entriesChanged, context, showSelection);

    // Entries put back by an undo (or an added hidden one) without a selection.
    const auto showHidden = [win] {
        if (win->mode() == Mode::Shown)
            showNothingSelected(*win);
    };
    QObject::connect(doc, &AlbumDocument::entriesReset, context, showHidden);
    QObject::connect(doc, &AlbumDocument::hiddenCountChanged, context, [win] {
        if (win->mode() == Mode::Shown)
            win->setPanel(2, hiddenAlbumsText(win->document()));
    });
    // After a delete or a sort, panels 2 and 3 stay empty until the next selection.
    const auto clearSelectionPanels = [win] {
        if (win->isGridShown())
            clearPanels(*win, 2);
    };
    QObject::connect(doc, &AlbumDocument::entriesRemoved, context, clearSelectionPanels);
    QObject::connect(doc, &AlbumDocument::entriesReordered, context, clearSelectionPanels);

    QObject::connect(win, &frmMain::modeChanged, context,
                     [win](qint16 mode, qint16 previous) { followMode(*win, mode, previous); });
}

} // namespace quorbell
