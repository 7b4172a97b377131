#include "grid/GridKeyboard.h"

#include "core/frmMain.h"
#include "core/frmMain.h"
#include "grid/GridGeometry.h"
#include "grid/GridInput.h"
#include "grid/GridNavigation.h"

#include <QAction>
#include <QKeyEvent>
#include <QList>
#include <QScrollBar>

#include <optional>

namespace quorbell {
namespace {

std::optional<GridKey> gridKeyFor(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return GridKey::Left;
    case Qt::Key_Right:
        return GridKey::Right;
    case Qt::Key_Up:
        return GridKey::Up;
    case Qt::Key_Down:
        return GridKey::Down;
    case Qt::Key_Home:
        return GridKey::Home;
    case Qt::Key_End:
        return GridKey::End;
    case Qt::Key_PageUp:
        return GridKey::PageUp;
    case Qt::Key_PageDown:
        return GridKey::PageDown;
    default:
        return std::nullopt;
    }
}

// Runs a command the way its menu item does: not at all while it is greyed.
void triggerIfEnabled(frmMain& w, Command command)
{
    QAction* item = w.action(command);
    if (item->isEnabled())
        item->trigger();
}

void moveSelection(frmMain& w, GridKey key)
{
    const AlbumDocument& doc = w.document();
    const GridLayout& lay = w.layout();
    QList<int> shown; // entry index of each shown position
    int current = -1;
    for (int i = 0; i < doc.albumCount(); ++i) {
        if (doc.entry(i).isHidden())
            continue;
        if (w.mode() == Mode::Selected && i == doc.selectedIndex())
            current = int(shown.size());
        shown.append(i);
    }
    GridExtent extent;
    extent.shown = int(shown.size());
    extent.columns = rowWidth(lay);
    extent.pageRows = rowsThatFit(doc.cellSize(), doc.comment().stripHeight, w.clientHeight());
    const int next = moveInGrid(current, key, extent);
    if (next < 0)
        return;

    // Scrolling redraws the grid from the new first row; the selection is
    // then drawn on it as a click would.
    QScrollBar* bar = w.vScroll();
    if (bar->isVisible()) {
        const int firstRow = firstRowShowing(next / extent.columns, bar->value(), extent.pageRows);
        bar->setValue(qBound(bar->minimum(), firstRow, bar->maximum()));
    }
    selectGridEntry(w, shown.at(next));
    Q_EMIT w.surface()->selectionMovedByKey();
}

class GridKeyFilter : public QObject
{
public:
    explicit GridKeyFilter(frmMain& w) : QObject(&w), m_window(w) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        return handleGridKey(m_window, *static_cast<QKeyEvent*>(event));
    }

private:
    frmMain& m_window;
};

} // namespace

bool handleGridKey(frmMain& w, const QKeyEvent& event)
{
    if (!w.isGridShown())
        return false;
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (modifiers == Qt::NoModifier)
            triggerIfEnabled(w, Command::ViewSlide);
        else if (modifiers == Qt::ShiftModifier)
            triggerIfEnabled(w, Command::ViewRandom);
        else
            return false;
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    if (key == Qt::Key_Escape && w.mode() == Mode::Selected) {
        clearGridSelection(w);
        Q_EMIT w.surface()->selectionMovedByKey();
        return true;
    }
    if (const std::optional<GridKey> move = gridKeyFor(key)) {
        moveSelection(w, *move);
        return true;
    }
    return false;
}

void installGridKeyboard(frmMain& w)
{
    // Installed after the window's own filter, so it sees the keys first.
    w.surface()->installEventFilter(new GridKeyFilter(w));
    w.surface()->setFocus();
    // The grid is the window's only place for keys: it takes them back
    // whenever the window is active again (after a message box, a drop from
    // another program, the viewer), wherever the focus had gone meanwhile.
    GridSurface* surface = w.surface();
    QObject::connect(&w, &frmMain::activated, surface,
                     [surface] { surface->setFocus(Qt::ActiveWindowFocusReason); });
}

} // namespace quorbell
