#include "container/InsertCommand.h"

#include "container/AlbumCopyPrompts.h"
#include "container/ClipboardCommands.h"
#include "container/InsertCopies.h"
#include "core/CommandState.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/AlbumLoadingSource.h"
#include "grid/DocumentEdits.h"
#include "grid/LoadingLoop.h"
#include "grid/NewCommand.h"

#include <QCoreApplication>

#include <QSet>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(InsertCommand)
};
} // namespace

bool acceptInsertChoice(const AlbumChoice& choice, AlbumChoice& kept)
{
    if (choice.names.isEmpty()) {
        prompts().warn(Tr::tr("ファイルが選択されていません｡ "), Tr::tr("サムネイル挿入"));
        return false;
    }
    kept = choice;
    return true;
}

namespace {

bool insertAlbumFilesNow(frmMain& w, const QString& insertFolder, const QStringList& names,
                         const QStringList& copies);

// The albums read stay, the others leave no half-made entries behind, and
// the selection stays on the entry that was selected before.
void finishInsert(frmMain& w, int s, int m, int read)
{
    AlbumDocument& doc = w.document();
    doc.removeEntries(s + read, m - read);
    doc.setSelectedIndex(qint16(s + read));
    if (read > 0)
        doc.setModified(true);
    w.setMode(Mode::Selected);
    if (read == 0)
        return; // nothing was added
    switchButtonOff(w, Cmd::Insert);
    switchButtonOff(w, Cmd::Rename);
}

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
    const std::optional<AlbumsToInsert> ready = albumsToInsert(w, insertFolder, names);
    if (!ready)
        return;
    // One step of the undo history, from the menu or from a drop, recorded
    // when the loading loop has read the albums.
    if (!insertAlbumFilesNow(w, ready->folder, ready->names, ready->copies))
        removeCopiesNotAdded(w.document(), ready->copies);
}

namespace {

// False when the insert is refused before the loading loop starts.
bool insertAlbumFilesNow(frmMain& w, const QString& insertFolder, const QStringList& names,
                         const QStringList& copies)
{
    AlbumDocument& doc = w.document();
    if (w.mode() != Mode::Selected || doc.isGridSource() || names.isEmpty())
        return false;
    const QString title = Tr::tr("サムネイルの追加");
    const QString folder = withTrailingSlash(insertFolder);
    const int m = int(names.size());
    if (const int j = firstDuplicateEntry(doc, names); j >= 0) {
        prompts().warn(Tr::tr("同じ名前があります。別のファイル名にして下さい。\r\n"
                              "ファイル名： %1")
                           .arg(doc.entry(j).fileName),
                       title);
        return false;
    }
    if (doc.albumCount() + m > kMaxAlbums) {
        prompts().warn(Tr::tr("サムネイルが多すぎます。1つのコンテナに入るのは %1 個までです。")
                           .arg(kMaxAlbums),
                       title);
        return false;
    }

    // The new entries, with their names only, go before the selected one
    // while the grid waits in mode 2; the loading loop reads them.
    const int s = doc.selectedIndex();
    const std::shared_ptr<const EditStart> before = startEdit(w);
    QList<AlbumEntry> fresh(m);
    for (int k = 0; k < m; ++k) {
        fresh[k].fileName = names.at(k);
        fresh[k].comment = initialComment(names.at(k));
    }
    w.setMode(Mode::Loading);
    doc.insertEntries(s, fresh);
    frmMain* win = &w;
    startAddingEntries(w, std::make_unique<AlbumLoadingSource>(folder, names, s, doc.cellSize()), s,
                       m, [win, s, m, before, copies](int read) {
                           finishInsert(*win, s, m, read);
                           // Copies made for albums that were not read are nobody's files.
                           removeCopiesNotAdded(win->document(), copies);
                           if (read > 0)
                               finishEdit(*win, Tr::tr("追加"), *before);
                       });
    return true;
}

} // namespace

} // namespace quorbell
