#include "grid/GridInput.h"

#include "document/CommonMessages.h"
#include "core/CommandState.h"
#include "core/frmMain.h"
#include "document/Prompts.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"
#include "grid/LoadingLoop.h"

#include <QCoreApplication>

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTimer>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(GridInput)
};
} // namespace

void showPointer()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

void selectGridEntry(frmMain& w, int index)
{
    w.document().setSelectedIndex(qint16(index));
    w.setMode(Mode::Selected);
}

void clearGridSelection(frmMain& w)
{
    w.setMode(Mode::Shown);
    // A click beside the cells drops the selection and its commands (other
    // ways of losing it, a sort, leave the commands alone), and the status
    // bar says so also where a delete or a sort had emptied it.
    w.setPanel(2, hiddenAlbumsText(w.document()));
    w.setPanel(3, QString());
    DisableSelectionItems(w);
}

void frmMain_Form_MouseDown(frmMain& w, Qt::MouseButton button, int x, int y)
{
    showPointer();
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    if (!w.isGridShown())
        return;
    if (const std::optional<int> hit = hitTest(doc, lay, QPoint(x, y))) {
        selectGridEntry(w, *hit);
        if (button == Qt::RightButton)
            w.popupShortcutMenu(QPoint(x, y));
        return;
    }
    clearGridSelection(w);
}

void frmMain_Form_DblClick(frmMain& w)
{
    if (w.mode() == Mode::Selected)
        w.runCommand(Command::ViewSlide);
}

void frmMain_Form_KeyDown(frmMain& w, int key)
{
    if (w.mode() == Mode::Selected && key == Qt::Key_Delete)
        w.runCommand(Command::EditDelete);
}

void frmMain_Form_KeyPress(frmMain& w, int ascii)
{
    showPointer();
    if (w.mode() != Mode::Loading || ascii != 27)
        return;
    if (stopAddingEntries(w))
        return; // the albums added so far stay
    w.intTimer()->stop();
    w.setMode(Mode::Empty);
    w.action(Command::ViewComment)->setEnabled(false);
    abortLoading(); // the loader drops its open file and the work in flight
    informLoadingAbandoned(Tr::tr("アボート処理"));
}

void frmMain_VScroll_Scroll(frmMain& w)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    if (!w.isGridShown())
        return;
    lay.firstDrawnIndex = qint16(firstIndexForScrollValue(doc, lay, w.vScroll()->value()));
    RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    UpdateScrollRange(w);
    DrawSelectionIfShown(w);
}

void scrollGridByRows(frmMain& w, int rows)
{
    if (!w.isGridShown())
        return;
    QScrollBar* bar = w.vScroll();
    if (!bar->isVisible())
        return;
    bar->setValue(qBound(bar->minimum(), bar->value() + rows, bar->maximum()));
}

void frmMain_Form_Resize(frmMain& w)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    // While albums are added the grid stays as it was shown.
    const qint16 mode = isAddingEntries() ? Mode::Shown : w.mode();
    switch (mode) {
    case Mode::Loading: {
        // The view ends on the row that holds the last loaded entry.
        lay.firstDrawnIndex = 0;
        RedrawGrid(w, 0, doc.loadIndex() - 1);
        while (lay.entriesBelow != 0) {
            const int next = lay.firstDrawnIndex + rowWidth(lay);
            if (next > doc.loadIndex() - 1)
                break; // a window too small for one row: stay on the last one
            lay.firstDrawnIndex = qint16(next);
            RedrawGrid(w, lay.firstDrawnIndex, doc.loadIndex() - 1);
        }
        break;
    }
    case Mode::Shown:
    case Mode::Selected:
        lay.firstDrawnIndex = 0;
        RedrawGrid(w, 0, doc.albumCount() - 1);
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
