#include "grid/SortCommands.h"

#include "core/GlobalState.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"

#include <QProgressBar>
#include <QScrollBar>

namespace quorbell {

void sortGrid(frmMain& w, SortKey key)
{
    GlobalState& g = stdGlobal();
    if (!g.isGridShown())
        return;
    QProgressBar* progress = w.progressBar();
    // A single album gives a range of one position; the bar still shows.
    progress->setRange(0, qMax(1, g.albumCount() - 1));
    progress->setValue(0);
    progress->show();

    sortAlbums(g.albums, key);

    progress->setValue(progress->maximum());
    g.set(Flag::Modified);
    // Nothing is selected after a sort; the enabled commands are left alone.
    w.setPanel(2, QString());
    w.setPanel(3, QString());
    g.mode = Mode::Shown;
    g.firstDrawnIndex = 0;
    RedrawGrid(w, 0, g.albumCount() - 1);
    UpdateScrollRange(w);
    {
        QSignalBlocker block(w.vScroll());
        w.vScroll()->setValue(0);
    }
    progress->hide();
}

void frmMain_mnuSortDateU_Click(frmMain& w)
{
    sortGrid(w, SortKey::DateAscending);
}

void frmMain_mnuSortDateL_Click(frmMain& w)
{
    sortGrid(w, SortKey::DateDescending);
}

void frmMain_mnuSortFileU_Click(frmMain& w)
{
    sortGrid(w, SortKey::NameAscending);
}

void frmMain_mnuSortFileL_Click(frmMain& w)
{
    sortGrid(w, SortKey::NameDescending);
}

} // namespace quorbell
