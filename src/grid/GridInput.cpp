#include "grid/GridInput.h"

#include "core/CommonMessages.h"
#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/Prompts.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"
#include "grid/LoadingLoop.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTimer>

namespace quorbell {

void showPointer()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void selectGridEntry(frmMain& w, int index)
{
    GlobalState& g = stdGlobal();
    RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    g.selectedIndex = qint16(index);
    DrawSelectionFrame(w, index);
    w.setPanel(1, shownAlbumsText(g));
    w.setPanel(2, selectedNumberText(index));
    w.setPanel(3, selectedNameText(g.albums.at(index).fileName));
    EnableSelectionItems(w);
    g.mode = Mode::Selected;
}

void clearGridSelection(frmMain& w)
{
    GlobalState& g = stdGlobal();
    RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    w.setPanel(1, shownAlbumsText(g));
    w.setPanel(2, hiddenAlbumsText(g));
    w.setPanel(3, QString());
    DisableSelectionItems(w);
    g.mode = Mode::Shown;
}

void frmMain_Form_MouseDown(frmMain& w, Qt::MouseButton button, int x, int y)
{
    showPointer();
    GlobalState& g = stdGlobal();
    if (!g.isGridShown())
        return;
    if (const std::optional<int> hit = hitTest(g, QPoint(x, y))) {
        selectGridEntry(w, *hit);
        if (button == Qt::RightButton)
            w.popupShortcutMenu(QPoint(x, y));
        return;
    }
    clearGridSelection(w);
}

void frmMain_Form_DblClick(frmMain& w)
{
    if (stdGlobal().mode == Mode::Selected)
        w.runCommand(Command::ViewSlide);
}

void frmMain_Form_KeyDown(frmMain& w, int key)
{
    if (stdGlobal().mode == Mode::Selected && key == Qt::Key_Delete)
        w.runCommand(Command::EditDelete);
}

void frmMain_Form_KeyPress(frmMain& w, int ascii)
{
    showPointer();
    GlobalState& g = stdGlobal();
    if (g.mode != Mode::Loading || ascii != 27)
        return;
    w.intTimer()->stop();
    g.mode = Mode::Empty;
    w.action(Command::ViewComment)->setEnabled(false);
    abortLoading(); // the loader drops its open file and the work in flight
    informLoadingAbandoned(QStringLiteral("アボート処理"));
}

void frmMain_VScroll_Scroll(frmMain& w)
{
    GlobalState& g = stdGlobal();
    if (!g.isGridShown())
        return;
    g.firstDrawnIndex = qint16(firstIndexForScrollValue(g, w.vScroll()->value()));
    RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    UpdateScrollRange(w);
    DrawSelectionIfShown(w);
}

void scrollGridByRows(frmMain& w, int rows)
{
    const GlobalState& g = stdGlobal();
    if (!g.isGridShown())
        return;
    QScrollBar* bar = w.vScroll();
    if (!bar->isVisible())
        return;
    bar->setValue(qBound(bar->minimum(), bar->value() + rows, bar->maximum()));
}

void frmMain_Form_Resize(frmMain& w)
{
    GlobalState& g = stdGlobal();
    switch (g.mode) {
    case Mode::Loading: {
        // The view ends on the row that holds the last loaded entry.
        g.firstDrawnIndex = 0;
        RedrawGrid(w, 0, g.loadIndex - 1);
        while (g.entriesBelow != 0) {
            const int next = g.firstDrawnIndex + rowWidth(g);
            if (next > g.loadIndex - 1)
                break; // a window too small for one row: stay on the last one
            g.firstDrawnIndex = qint16(next);
            RedrawGrid(w, g.firstDrawnIndex, g.loadIndex - 1);
        }
        break;
    }
    case Mode::Shown:
    case Mode::Selected:
        g.firstDrawnIndex = 0;
        RedrawGrid(w, 0, g.albumCount() - 1);
        DrawSelectionIfShown(w);
        break;
    default:
        return;
    }
    UpdateScrollRange(w);
    QSignalBlocker block(w.vScroll());
    w.vScroll()->setValue(0);
}

} // namespace quorbell
