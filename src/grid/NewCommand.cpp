#include "grid/NewCommand.h"

#include "document/CommonMessages.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "grid/Cover.h"
#include "grid/LoadingLoop.h"

#include <QCoreApplication>

namespace quorbell {

namespace {
struct Tr
{
    Q_DECLARE_TR_FUNCTIONS(NewCommand)
};
} // namespace

bool acceptNewDocument(frmMain& w, const AlbumChoice& choice)
{
    AlbumDocument& doc = w.document();
    Settings& st = w.settings();
    const QString title = Tr::tr("新規作成");
    // Nothing of the open document changes until the choice is known to be good.
    if (choice.names.isEmpty()) {
        prompts().warn(Tr::tr("ファイルが選択されていません｡ "), title);
        return false;
    }
    if (choice.names.size() > kMaxAlbums) {
        prompts().warn(Tr::tr("アルバムファイルが多すぎます。一度に選択できるのは %1 個までです。")
                           .arg(kMaxAlbums),
                       title);
        return false;
    }

    // The open document leaves the window; the new one takes the cell size
    // chosen in the settings.
    w.setMode(Mode::Empty);
    doc.setSelectedIndex(0);
    doc.setCellSize(st.pendingThumbSize, st.pendingComment);
    PrepareCover(w);

    QList<AlbumEntry> entries;
    entries.reserve(choice.names.size());
    for (const QString& name : choice.names) {
        AlbumEntry e;
        e.fileName = name;
        e.comment = initialComment(name);
        entries.append(e);
    }
    doc.setEntries(std::move(entries));
    doc.setAlbumFolder(withTrailingSlash(choice.folder));
    st.chooserFolder = doc.albumFolder();
    doc.setContainerPath(QString());
    doc.setModified(false); // the user chose to leave the old document unsaved
    doc.startNewHistory(false);
    doc.setGridSource(true);
    w.setMode(Mode::Chosen);
    return true;
}

void frmMain_mnuContnrNew_Click(frmMain& w)
{
    // The chooser leaves the window usable; a second New while it is open does nothing.
    static bool chooserOpen = false;
    if (chooserOpen)
        return;
    AlbumDocument& doc = w.document();
    Settings& st = w.settings();
    if (doc.isModified()) {
        // The changes stay flagged until a save writes them.
        if (askSaveChanges(Tr::tr("新規作成"))) {
            w.runCommand(Command::ContnrAdd);
            return;
        }
    }
    ChooserRequest request;
    request.kind = ChooserKind::NewGrid;
    request.startFolder = st.chooserFolder;
    request.programFolder = st.programFolder;
    request.accept = [&w](const AlbumChoice& c) { return acceptNewDocument(w, c); };
    chooserOpen = true;
    const bool chosen = prompts().chooseAlbums(request);
    chooserOpen = false;
    if (chosen)
        frmMain_Form_Activate(w); // the main window is active again: loading starts
}

} // namespace quorbell
