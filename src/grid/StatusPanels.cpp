#include "grid/StatusPanels.h"

#include "core/frmMain.h"
#include "grid/GridGeometry.h"

namespace quorbell {

void connectStatusPanels(frmMain& w)
{
    frmMain* win = &w;
    const auto showCount = [win] {
        // While loading, panel 1 counts the albums read instead.
        if (win->isGridShown())
            win->setPanel(1, shownAlbumsText(win->document()));
    };
    const AlbumDocument* doc = &w.document();
    QObject::connect(doc, &AlbumDocument::entriesInserted, win, showCount);
    QObject::connect(doc, &AlbumDocument::entriesRemoved, win, showCount);
    QObject::connect(doc, &AlbumDocument::hiddenCountChanged, win, showCount);
    QObject::connect(win, &frmMain::modeChanged, win, showCount);
}

} // namespace quorbell
