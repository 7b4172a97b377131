#include "grid/SortCommands.h"

#include "core/frmMain.h"

#include <QProgressBar>

namespace quorbell {

void sortGrid(frmMain& w, SortKey key)
{
    AlbumDocument& doc = w.document();
    if (!w.isGridShown())
        return;
    QProgressBar* progress = w.progressBar();
    // A single album gives a range of one position; the bar still shows.
    progress->setRange(0, qMax(1, doc.albumCount() - 1));
    progress->setValue(0);
    progress->show();

    // Nothing is selected after a sort; the enabled commands are left alone.
    w.setMode(Mode::Shown);
    QList<AlbumEntry> sorted = doc.entries();
    sortAlbums(sorted, key);
    doc.reorderEntries(std::move(sorted));

    progress->setValue(progress->maximum());
    doc.setModified(true);
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
