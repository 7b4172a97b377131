#include "container/InsertCommand.h"

#include "album/AlbumReaderUi.h"
#include "album/AlbumThumbnail.h"
#include "container/ClipboardCommands.h"
#include "container/ContainerLoadingSource.h"
#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/GridDrawing.h"
#include "grid/NewCommand.h"

#include <QAction>
#include <QFuture>
#include <QHash>
#include <QProgressBar>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent>

namespace quorbell {
namespace {

// Decodes the chosen albums' first photos a few albums ahead on worker
// threads; the albums are still read, and their prompts shown, in order.
class AheadReader
{
public:
    AheadReader(const QString& folder, const QStringList& names, int cellSize)
        : m_folder(folder), m_names(names), m_cellSize(cellSize),
          m_lookAhead(qMax(4, 3 * thumbnailPool()->maxThreadCount()))
    {
    }
    ~AheadReader()
    {
        // Albums not started are never read; a running one finishes on its own
        // and its result is dropped (it holds copies only).
        for (QFuture<album::AlbumThumbnail>& f : m_pending)
            f.cancel();
    }

    album::AlbumThumbnail take(int k)
    {
        for (int i = k; i < m_names.size() && i < k + m_lookAhead; ++i) {
            if (m_pending.contains(i))
                continue;
            const QString path = m_folder + m_names.at(i);
            const int cellSize = m_cellSize;
            m_pending.insert(i, QtConcurrent::run(thumbnailPool(), [path, cellSize] {
                                 return album::makeAlbumThumbnail(path, cellSize);
                             }));
        }
        QFuture<album::AlbumThumbnail> f = m_pending.take(k);
        return f.result();
    }

private:
    QString m_folder;
    QStringList m_names;
    int m_cellSize;
    int m_lookAhead;
    QHash<int, QFuture<album::AlbumThumbnail>> m_pending;
};

} // namespace

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

    const QString title = QStringLiteral("サムネイルの追加");
    const QString folder = withTrailingSlash(g.insertFolder);
    const QStringList names = g.insertFileNames;
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

    AheadReader ahead(folder, names, g.cellSize);
    int read = 0;
    for (int k = 0; k < m; ++k) {
        bar->setValue(k + 2);
        const int e = s + k;
        const album::AlbumThumbnail prepared = ahead.take(k);
        const AlbumReadOutcome outcome =
            ReadAlbumFile(w, qint16(e), folder + names.at(k), names.at(k), &prepared);
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
        w.menuItem(QStringLiteral("mnuViewComment"))->setEnabled(true);
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
