#include "container/InsertCommand.h"

#include "album/AlbumReaderUi.h"
#include "album/ThumbnailLookAhead.h"
#include "container/ClipboardCommands.h"
#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"
#include "grid/NewCommand.h"

#include <QAction>
#include <QProgressBar>
#include <QSet>

namespace quorbell {

bool acceptInsertChoice(const AlbumChoice& choice)
{
    if (choice.names.isEmpty()) {
        prompts().warn(QStringLiteral("ファイルが選択されていません｡ "),
                       QStringLiteral("サムネイル挿入"));
        return false;
    }
    GlobalState& g = stdGlobal();
    g.insertFolder = withTrailingSlash(choice.folder);
    g.insertFileNames = choice.names;
    return true;
}

int firstDuplicateEntry(const QStringList& names)
{
    const GlobalState& g = stdGlobal();
    QSet<QString> folded;
    folded.reserve(names.size());
    for (const QString& name : names)
        folded.insert(name.toCaseFolded());
    for (int j = 0; j < g.albumCount(); ++j) {
        if (folded.contains(withoutHiddenMark(g.albums.at(j).fileName).toCaseFolded()))
            return j;
    }
    return -1;
}

void frmMain_mnuEditInsert_Click(frmMain& w)
{
    GlobalState& g = stdGlobal();
    // Offered only for a grid saved as or read from a container, with a selection.
    if (g.mode != Mode::Selected || g.has(Flag::GridSource))
        return;
    ChooserRequest request;
    request.kind = ChooserKind::Insert;
    request.startFolder = g.chooserFolder;
    request.accept = acceptInsertChoice;
    if (!prompts().chooseAlbums(request))
        return;
    insertAlbumFiles(w, g.insertFolder, g.insertFileNames);
}

void insertAlbumFiles(frmMain& w, const QString& insertFolder, const QStringList& names)
{
    GlobalState& g = stdGlobal();
    if (g.mode != Mode::Selected || g.has(Flag::GridSource) || names.isEmpty())
        return;
    const QString title = QStringLiteral("サムネイルの追加");
    const QString folder = withTrailingSlash(insertFolder);
    const int m = int(names.size());
    if (const int j = firstDuplicateEntry(names); j >= 0) {
        prompts().warn(QStringLiteral("同じ名前があります。別のファイル名にして下さい。\r\n"
                                      "ファイル名： ") +
                           g.albums.at(j).fileName,
                       title);
        return;
    }
    if (g.albumCount() + m > kMaxAlbums) {
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
    const int s = g.selectedIndex;
    QList<AlbumEntry> fresh(m);
    for (int k = 0; k < m; ++k) {
        fresh[k].fileName = names.at(k);
        fresh[k].comment = initialComment(names.at(k));
    }
    g.albums.insert(s, m, AlbumEntry());
    for (int k = 0; k < m; ++k)
        g.albums[s + k] = std::move(fresh[k]);
    bar->setValue(1);

    // The chosen albums' first photos are decoded a few albums ahead on
    // worker threads; the albums are still read, and their prompts shown, in order.
    album::ThumbnailLookAhead ahead([&folder, &names](int k) { return folder + names.at(k); }, m,
                                    g.cellSize);
    int read = 0;
    for (int k = 0; k < m; ++k) {
        bar->setValue(k + 2);
        const int e = s + k;
        ahead.prefetch(k);
        const std::optional<album::AlbumThumbnail> prepared = ahead.take(k);
        const AlbumReadOutcome outcome = ReadAlbumFile(
            w, qint16(e), folder + names.at(k), names.at(k), prepared ? &*prepared : nullptr);
        if (outcome == AlbumReadOutcome::HeaderRefused || outcome == AlbumReadOutcome::Cancelled)
            break;
        MakeThumbnail(qint16(e));
        if (g.albums.at(e).isHidden())
            g.hiddenCount = qint16(g.hiddenCount + 1);
        ++read;
    }
    if (read < m) {
        // The albums not read leave no half-made entries behind, and the grid
        // stays as it is with the albums read so far.
        g.albums.remove(s + read, m - read);
        g.mode = Mode::Selected;
        w.action(Command::ViewComment)->setEnabled(true);
    }

    bar->setValue(m + 2);
    w.setPanel(1, shownAlbumsText(g));
    RedrawGrid(w, g.firstDrawnIndex, g.albumCount() - 1);
    // The selection stays on the entry that was selected before.
    g.selectedIndex = qint16(s + read);
    w.setPanel(2, selectedNumberText(g.selectedIndex));
    DrawSelectionIfShown(w);
    UpdateScrollRange(w);
    syncScrollValue(w);
    bar->hide();
    w.setPanel(3, selectedNameText(g.albums.at(g.selectedIndex).fileName));
    if (read == 0)
        return; // nothing was added
    g.set(Flag::Modified);
    switchButtonOff(w, Cmd::Insert);
    switchButtonOff(w, Cmd::Rename);
}

} // namespace quorbell
