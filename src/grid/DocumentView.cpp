#include "grid/DocumentView.h"

#include "core/frmMain.h"
#include "grid/CommandStateFollower.h"
#include "grid/GridDrawing.h"
#include "grid/StatusPanels.h"

#include <QScrollBar>

#include <algorithm>

namespace quorbell {
namespace {

// The rows from the first drawn entry on, with the selection frame.
void redrawView(frmMain& w)
{
    RefreshGrid(w, false, true);
}

// The same after the entries changed in number: the scroll bar follows.
void showEntries(frmMain& w)
{
    RedrawGrid(w, w.layout().firstDrawnIndex, w.document().albumCount() - 1);
    UpdateScrollRange(w);
    syncScrollValue(w);
    DrawSelectionIfShown(w);
}

void showAfterRemoval(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    // The row width of the grid as it was shown: a redraw that places no
    // cell records none.
    const int width = rowWidth(lay);
    RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    if (lay.cellsInRow == 0 && lay.firstDrawnIndex != 0) {
        // The view would start past the remaining entries: it moves up a row.
        lay.firstDrawnIndex = qint16(firstIndexOneRowUp(doc, lay, width));
        RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    }
    UpdateScrollRange(w);
    syncScrollValue(w);
    DrawSelectionIfShown(w);
}

void followMode(frmMain& w, qint16 mode, qint16 previous)
{
    if (Mode::isViewer(mode) || Mode::isViewer(previous))
        return; // the viewer leaves the grid as it was
    if (Mode::showsGrid(mode)) {
        if (w.document().isEmpty())
            return; // entries still to come: they draw themselves
        if (Mode::showsGrid(previous))
            redrawView(w); // the selection came or went
        else
            showEntries(w); // loading ended, or an undo brought entries back
        return;
    }
    // The document left the window, or a new one was chosen: nothing drawn
    // (a load abandoned part-way keeps what it drew).
    if (mode == Mode::Chosen || (mode == Mode::Empty && Mode::showsGrid(previous))) {
        ClearGridPicture(w);
        w.vScroll()->hide();
        w.layout().firstDrawnIndex = 0;
    }
}

} // namespace

void installDocumentView(frmMain& w)
{
    const QString name = QStringLiteral("documentView");
    if (w.findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return;
    // The connections live as long as this object, a child of the window.
    auto* view = new QObject(&w);
    view->setObjectName(name);
    frmMain* win = &w;
    const AlbumDocument* doc = &w.document();
    // Changes while the grid is not shown (loading, empty) are drawn when it is.
    const auto whenShown = [win](void (*show)(frmMain&)) {
        return [win, show] {
            if (win->isGridShown() && !win->document().isEmpty())
                show(*win);
        };
    };
    QObject::connect(doc, &AlbumDocument::entriesInserted, view, whenShown(showEntries));
    QObject::connect(doc, &AlbumDocument::hiddenCountChanged, view, whenShown(showEntries));
    QObject::connect(doc, &AlbumDocument::entriesRemoved, view, whenShown(showAfterRemoval));
    QObject::connect(doc, &AlbumDocument::entriesChanged, view, [win](int index, int count) {
        // Only entries on screen change the picture (a batch rename changes them all).
        const GridLayout& lay = win->layout();
        if (win->isGridShown() && index <= lay.lastDrawnIndex &&
            index + count - 1 >= lay.firstDrawnIndex)
            redrawView(*win);
    });
    QObject::connect(doc, &AlbumDocument::selectionChanged, view, whenShown(redrawView));
    QObject::connect(doc, &AlbumDocument::entriesReset, view, whenShown([](frmMain& m) {
                         // An undo puts back where the view stood, within the entries.
                         GridLayout& lay = m.layout();
                         lay.firstDrawnIndex = qint16(std::clamp<int>(
                             lay.firstDrawnIndex, 0, m.document().albumCount() - 1));
                         showEntries(m);
                     }));
    QObject::connect(doc, &AlbumDocument::entriesReordered, view, whenShown([](frmMain& m) {
                         m.layout().firstDrawnIndex = 0; // a sorted grid starts at the top
                         showEntries(m);
                     }));
    QObject::connect(win, &frmMain::modeChanged, view,
                     [win](qint16 mode, qint16 previous) { followMode(*win, mode, previous); });

    connectStatusPanels(w, view);
    connectCommandStates(w, view);
}

} // namespace quorbell
