#include "container/ClipboardCommands.h"

#include "album/AlbumThumbnail.h"
#include "core/BinaryIO.h"
#include "core/CellFit.h"
#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/Prompts.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"
#include "grid/NewCommand.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

namespace quorbell {
namespace {

// The selected entry into the internal clipboard, its thumbnail onto the
// system clipboard so that other programs can paste the picture.
void copySelected()
{
    GlobalState& g = stdGlobal();
    g.clipboard = g.albums.at(g.selectedIndex);
    QClipboard* system = QGuiApplication::clipboard();
    if (g.clipboard.thumbnail.isNull())
        system->clear();
    else
        // Other programs get a 32-bit picture, as from any other image source.
        system->setImage(g.clipboard.thumbnail.convertToFormat(QImage::Format_RGB32));
}

void makePasteAvailable(frmMain& w)
{
    switchButtonOn(w, Cmd::Paste);
    stdGlobal().set(Flag::ClipboardFilled);
}

// A grid without entries: as at start, with no document.
void emptyGrid(frmMain& w)
{
    GlobalState& g = stdGlobal();
    ClearGridPicture(w);
    w.vScroll()->hide();
    g.clear(Flag::Modified);
    w.setPanel(1, QString());
    w.setPanel(2, QString());
    w.setPanel(3, QString());
    g.mode = Mode::Empty;
    g.hiddenCount = 0;
    g.selectedIndex = 0;
    g.firstDrawnIndex = 0;
    w.action(Command::ViewComment)->setEnabled(false);
    DisableSelectionItems(w);
    DisableGridItems(w);
}

} // namespace

QImage pastedThumbnail(const QImage& picture, qint32 thumbSize, int cellSize)
{
    const int edge = cellSize - 2;
    if (picture.isNull() || (picture.width() <= edge && picture.height() <= edge))
        return picture;
    // Copied from a grid of larger cells: fitted from the recorded size, as a
    // thumbnail made here would be; without a usable one, from its own size.
    const QSize recorded(pairHigh(thumbSize), pairLow(thumbSize));
    const QSize from = fitToCell(recorded, cellSize).isEmpty() ? picture.size() : recorded;
    return album::fitPictureToCell(picture, from, cellSize);
}

int firstIndexOneRowUp(const GlobalState& g, int rowWidth)
{
    const int first = qMin<int>(g.firstDrawnIndex, g.albumCount());
    const int visibleBefore = first - hiddenBetween(g, 0, first);
    const int target = qMax(0, visibleBefore - qMax(1, rowWidth));
    // The index just after the target-th visible entry, as scrolling counts rows.
    int index = 0;
    for (int seen = 0; seen < target && index < g.albumCount(); ++index) {
        if (!g.albums.at(index).isHidden())
            ++seen;
    }
    return index;
}

void syncScrollValue(frmMain& w)
{
    const GlobalState& g = stdGlobal();
    const int width = rowWidth(g);
    const int visibleAbove = g.firstDrawnIndex - hiddenBetween(g, 0, g.firstDrawnIndex);
    QSignalBlocker block(w.vScroll());
    w.vScroll()->setValue((visibleAbove + width - 1) / width);
}

void frmMain_mnuEditCopy_Click(frmMain& w)
{
    if (stdGlobal().mode != Mode::Selected)
        return;
    copySelected();
    makePasteAvailable(w);
}

void frmMain_mnuEditCut_Click(frmMain& w)
{
    if (stdGlobal().mode != Mode::Selected)
        return;
    copySelected();
    frmMain_mnuEditDelete_Click(w);
    DisableSelectionItems(w);
    makePasteAvailable(w);
}

void frmMain_mnuEditPut_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    if (g.mode != Mode::Selected || !g.has(Flag::ClipboardFilled))
        return;
    if (g.albumCount() >= kMaxAlbums) {
        prompts().warn(
            QStringLiteral("サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。")
                .arg(kMaxAlbums),
            QStringLiteral("サムネイル貼り付け"));
        return;
    }
    const int s = g.selectedIndex;
    AlbumEntry pasted = g.clipboard;
    pasted.thumbnail = pastedThumbnail(pasted.thumbnail, pasted.thumbSize, g.cellSize);
    // The selected entry and all after it move one place on; s marks the pasted entry.
    g.albums.insert(s, pasted);
    if (pasted.isHidden())
        g.hiddenCount = qint16(g.hiddenCount + 1);
    w.setPanel(1, shownAlbumsText(g));
    RefreshGrid(w, true, true);
    syncScrollValue(w);
    w.setPanel(3, selectedNameText(g.albums.at(s).fileName));
    // The Paste button and menu items keep their enabled look; with its bit
    // clear, selecting brings Cut and Copy back.
    g.commandState &= quint16(~Cmd::Paste);
    EnableSelectionItems(w);
    g.set(Flag::Modified);
}

void frmMain_mnuEditDelete_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    if (g.mode != Mode::Selected)
        return;
    const int s = g.selectedIndex;
    if (g.albums.at(s).isHidden())
        g.hiddenCount = qint16(g.hiddenCount - 1);
    g.albums.removeAt(s);
    w.setPanel(1, shownAlbumsText(g));
    if (g.albums.isEmpty()) {
        emptyGrid(w);
        return;
    }
    // The row width of the grid as it was shown: a redraw that places no
    // cell records none.
    const int width = rowWidth(g);
    RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    if (g.cellsInRow == 0 && g.firstDrawnIndex != 0) {
        // The view would start past the remaining entries: it moves up a row.
        g.firstDrawnIndex = qint16(firstIndexOneRowUp(g, width));
        RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    }
    w.setPanel(2, QString());
    w.setPanel(3, QString());
    g.mode = Mode::Shown;
    UpdateScrollRange(w);
    syncScrollValue(w);
    g.set(Flag::Modified);
    DisableSelectionItems(w);
}

} // namespace quorbell
