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

#include <QClipboard>
#include <QGuiApplication>

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

void frmMain_mnuEditCopy_Click(frmMain& w)
{
    if (w.mode() != Mode::Selected)
        return;
    copySelected(w);
}

void frmMain_mnuEditCut_Click(frmMain& w)
{
    if (w.mode() != Mode::Selected)
        return;
    copySelected(w);
    frmMain_mnuEditDelete_Click(w);
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
    // The Paste button and menu items keep their enabled look; with its bit
    // clear, the selection brings Cut and Copy back.
    w.setCommandState(w.commandState() & quint16(~Cmd::Paste));
    // The selected entry and all after it move one place on; s marks the pasted entry.
    doc.insertEntry(s, pasted);
    if (pasted.isHidden())
        doc.setHiddenCount(qint16(doc.hiddenCount() + 1));
    doc.setModified(true);
}

void frmMain_mnuEditDelete_Click(frmMain& w)
{
    AlbumDocument& doc = w.document();
    if (w.mode() != Mode::Selected)
        return;
    const int s = doc.selectedIndex();
    w.setMode(Mode::Shown); // nothing is selected after a delete
    if (doc.entry(s).isHidden())
        doc.setHiddenCount(qint16(doc.hiddenCount() - 1));
    doc.removeEntry(s);
    if (doc.isEmpty()) {
        emptyGrid(w);
        return;
    }
    doc.setModified(true);
}

} // namespace quorbell
