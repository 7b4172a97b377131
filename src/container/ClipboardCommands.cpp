#include "container/ClipboardCommands.h"

#include "album/AlbumThumbnail.h"
#include "core/BinaryIO.h"
#include "core/CellFit.h"
#include "core/CommandState.h"
#include "document/Prompts.h"
#include "core/frmMain.h"
#include "grid/DocumentEdits.h"
#include "grid/GridDrawing.h"
#include "grid/NewCommand.h"

#include <QCoreApplication>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(ClipboardCommands)
};
} // namespace
namespace {

// The selected entry into the internal clipboard, its thumbnail onto the
// system clipboard so that other programs can paste the picture.
void copySelected(frmMain& w)
{
    AlbumDocument& doc = w.document();
    doc.setClipboard(doc.entry(doc.selectedIndex()));
    QClipboard* system = QGuiApplication::clipboard();
    if (doc.clipboard().thumbnail.isNull())
        system->clear();
    else
        // Other programs get a 32-bit picture, as from any other image source.
        system->setImage(doc.clipboard().thumbnail.convertToFormat(QImage::Format_RGB32));
}

void makePasteAvailable(frmMain& w)
{
    switchButtonOn(w, Cmd::Paste);
}

// A grid without entries: as at start, with no document.
void emptyGrid(frmMain& w)
{
    w.document().setModified(false);
    showEmptyGrid(w);
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

int firstIndexOneRowUp(const AlbumDocument& doc, const GridLayout& lay, int rowWidth)
{
    const int first = qMin<int>(lay.firstDrawnIndex, doc.albumCount());
    const int visibleBefore = first - hiddenBetween(doc, 0, first);
    const int target = qMax(0, visibleBefore - qMax(1, rowWidth));
    // The index just after the target-th visible entry, as scrolling counts rows.
    int index = 0;
    for (int seen = 0; seen < target && index < doc.albumCount(); ++index) {
        if (!doc.entry(index).isHidden())
            ++seen;
    }
    return index;
}

void syncScrollValue(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    const GridLayout& lay = w.layout();
    const int width = rowWidth(lay);
    const int visibleAbove = lay.firstDrawnIndex - hiddenBetween(doc, 0, lay.firstDrawnIndex);
    QSignalBlocker block(w.vScroll());
    w.vScroll()->setValue((visibleAbove + width - 1) / width);
}

void frmMain_mnuEditCopy_Click(frmMain& w)
{
    if (w.mode() != Mode::Selected)
        return;
    copySelected(w);
    makePasteAvailable(w);
}

void frmMain_mnuEditCut_Click(frmMain& w)
{
    if (w.mode() != Mode::Selected)
        return;
    copySelected(w);
    frmMain_mnuEditDelete_Click(w);
    DisableSelectionItems(w);
    makePasteAvailable(w);
}

void frmMain_mnuEditPut_Click(frmMain& w)
{
    AlbumDocument& doc = w.document();
    if (w.mode() != Mode::Selected || !doc.isClipboardFilled())
        return;
    if (doc.albumCount() >= kMaxAlbums) {
        prompts().warn(Tr::tr("サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。")
                           .arg(kMaxAlbums),
                       Tr::tr("サムネイル貼り付け"));
        return;
    }
    const int s = doc.selectedIndex();
    AlbumEntry pasted = doc.clipboard();
    pasted.thumbnail = pastedThumbnail(pasted.thumbnail, pasted.thumbSize, doc.cellSize());
    // The selected entry and all after it move one place on; s marks the pasted entry.
    doc.insertEntry(s, pasted);
    if (pasted.isHidden())
        doc.setHiddenCount(qint16(doc.hiddenCount() + 1));
    RefreshGrid(w, true, true);
    syncScrollValue(w);
    w.setPanel(3, selectedNameText(doc.entry(s).fileName));
    // The Paste button and menu items keep their enabled look; with its bit
    // clear, selecting brings Cut and Copy back.
    w.setCommandState(w.commandState() & quint16(~Cmd::Paste));
    EnableSelectionItems(w);
    doc.setModified(true);
}

void frmMain_mnuEditDelete_Click(frmMain& w)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    if (w.mode() != Mode::Selected)
        return;
    const int s = doc.selectedIndex();
    if (doc.entry(s).isHidden())
        doc.setHiddenCount(qint16(doc.hiddenCount() - 1));
    doc.removeEntry(s);
    if (doc.isEmpty()) {
        emptyGrid(w);
        return;
    }
    // The row width of the grid as it was shown: a redraw that places no
    // cell records none.
    const int width = rowWidth(lay);
    RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    if (lay.cellsInRow == 0 && lay.firstDrawnIndex != 0) {
        // The view would start past the remaining entries: it moves up a row.
        lay.firstDrawnIndex = qint16(firstIndexOneRowUp(doc, lay, width));
        RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    }
    w.setPanel(2, QString());
    w.setPanel(3, QString());
    w.setMode(Mode::Shown);
    UpdateScrollRange(w);
    syncScrollValue(w);
    doc.setModified(true);
    DisableSelectionItems(w);
}

} // namespace quorbell
