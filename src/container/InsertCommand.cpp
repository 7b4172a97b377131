#include "container/InsertCommand.h"

#include "album/AlbumReaderUi.h"
#include "album/ThumbnailLookAhead.h"
#include "container/AlbumCopyPrompts.h"
#include "container/ClipboardCommands.h"
#include "core/CommandState.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/DocumentEdits.h"
#include "grid/GridDrawing.h"
#include "grid/NewCommand.h"

#include <QAction>
#include <QProgressBar>
#include <QSet>

namespace quorbell {

bool acceptInsertChoice(const AlbumChoice& choice, AlbumChoice& kept)
{
    if (choice.names.isEmpty()) {
        prompts().warn(QStringLiteral("ファイルが選択されていません｡ "),
                       QStringLiteral("サムネイル挿入"));
        return false;
    }
    kept = choice;
    return true;
}

namespace {
void insertAlbumFilesNow(frmMain& w, const QString& insertFolder, const QStringList& names);
} // namespace

int firstDuplicateEntry(const AlbumDocument& doc, const QStringList& names)
{
    QSet<QString> folded;
    folded.reserve(names.size());
    for (const QString& name : names)
        folded.insert(name.toCaseFolded());
    for (int j = 0; j < doc.albumCount(); ++j) {
        if (folded.contains(withoutHiddenMark(doc.entry(j).fileName).toCaseFolded()))
            return j;
    }
    return -1;
}

void frmMain_mnuEditInsert_Click(frmMain& w)
{
    const AlbumDocument& doc = w.document();
    const Settings& st = w.settings();
    // Offered only for a grid saved as or read from a container, with a selection.
    if (w.mode() != Mode::Selected || doc.isGridSource())
        return;
    ChooserRequest request;
    request.kind = ChooserKind::Insert;
    request.startFolder = st.chooserFolder;
    request.programFolder = st.programFolder;
    AlbumChoice choice;
    request.accept = [&choice](const AlbumChoice& c) { return acceptInsertChoice(c, choice); };
    if (!prompts().chooseAlbums(request))
        return;
    insertAlbumFiles(w, choice.folder, choice.names);
}

void insertAlbumFiles(frmMain& w, const QString& insertFolder, const QStringList& names)
{
    // Albums from another folder are copied beside the container first, or not added.
    const std::optional<AlbumChoice> ready = albumsToInsert(w, insertFolder, names);
    if (!ready)
        return;
    // One step of the undo history, from the menu or from a drop.
    recordEdit(w, QStringLiteral("追加"),
               [&] { insertAlbumFilesNow(w, ready->folder, ready->names); });
}

namespace {

void insertAlbumFilesNow(frmMain& w, const QString& insertFolder, const QStringList& names)
{
    AlbumDocument& doc = w.document();
    GridLayout& lay = w.layout();
    if (w.mode() != Mode::Selected || doc.isGridSource() || names.isEmpty())
        return;
    const QString title = QStringLiteral("サムネイルの追加");
    const QString folder = withTrailingSlash(insertFolder);
    const int m = int(names.size());
    if (const int j = firstDuplicateEntry(doc, names); j >= 0) {
        prompts().warn(QStringLiteral("同じ名前があります。別のファイル名にして下さい。\r\n"
                                      "ファイル名： ") +
                           doc.entry(j).fileName,
                       title);
        return;
    }
    if (doc.albumCount() + m > kMaxAlbums) {
        prompts().warn(
            QStringLiteral("サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。")
                .arg(kMaxAlbums),
            title);
        return;
    }

    QProgressBar* bar = w.progressBar();
    bar->setRange(0, m + 2);
    bar->setValue(0);
    bar->show();

    // Room for the new entries before the selected one.
    const int s = doc.selectedIndex();
    QList<AlbumEntry> fresh(m);
    for (int k = 0; k < m; ++k) {
        fresh[k].fileName = names.at(k);
        fresh[k].comment = initialComment(names.at(k));
    }
    doc.insertEntries(s, fresh);
    bar->setValue(1);

    // The chosen albums' first photos are decoded a few albums ahead on
    // worker threads; the albums are still read, and their prompts shown, in order.
    album::ThumbnailLookAhead ahead([&folder, &names](int k) { return folder + names.at(k); }, m,
                                    doc.cellSize());
    int read = 0;
    for (int k = 0; k < m; ++k) {
        bar->setValue(k + 2);
        const int e = s + k;
        ahead.prefetch(k);
        const std::optional<album::AlbumThumbnail> prepared = ahead.take(k);
        LoadedPicture current;
        const AlbumReadOutcome outcome =
            ReadAlbumFile(w, current, qint16(e), folder + names.at(k), names.at(k),
                          prepared ? &*prepared : nullptr);
        if (outcome == AlbumReadOutcome::HeaderRefused || outcome == AlbumReadOutcome::Cancelled)
            break;
        MakeThumbnail(doc, current, qint16(e));
        if (doc.entry(e).isHidden())
            doc.setHiddenCount(qint16(doc.hiddenCount() + 1));
        ++read;
    }
    if (read < m) {
        // The albums not read leave no half-made entries behind, and the grid
        // stays as it is with the albums read so far.
        doc.removeEntries(s + read, m - read);
        w.setMode(Mode::Selected);
        w.action(Command::ViewComment)->setEnabled(true);
    }

    bar->setValue(m + 2);
    RedrawGrid(w, lay.firstDrawnIndex, doc.albumCount() - 1);
    // The selection stays on the entry that was selected before.
    doc.setSelectedIndex(qint16(s + read));
    w.setPanel(2, selectedNumberText(doc.selectedIndex()));
    DrawSelectionIfShown(w);
    UpdateScrollRange(w);
    syncScrollValue(w);
    bar->hide();
    w.setPanel(3, selectedNameText(doc.entry(doc.selectedIndex()).fileName));
    if (read == 0)
        return; // nothing was added
    doc.setModified(true);
    switchButtonOff(w, Cmd::Insert);
    switchButtonOff(w, Cmd::Rename);
}

} // namespace

} // namespace quorbell
