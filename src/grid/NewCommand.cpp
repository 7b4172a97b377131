#include "grid/NewCommand.h"

#include "core/CommonMessages.h"
#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/TextRules.h"
#include "core/Version.h"
#include "core/frmMain.h"
#include "grid/Cover.h"
#include "grid/GridDrawing.h"
#include "grid/LoadingLoop.h"

#include <QScrollBar>

namespace quorbell {

bool acceptNewDocument(frmMain& w, const AlbumChoice& choice)
{
    GlobalState& g = stdGlobal();
    const QString title = QStringLiteral("新規作成");
    // Nothing of the open document changes until the choice is known to be good.
    if (choice.names.isEmpty()) {
        prompts().warn(QStringLiteral("ファイルが選択されていません｡ "), title);
        return false;
    }
    if (choice.names.size() > kMaxAlbums) {
        prompts().warn(
            QStringLiteral("アルバムファイルが多すぎます。一度に選択できるのは %1 個までです。")
                .arg(kMaxAlbums),
            title);
        return false;
    }

    // The new document takes the cell size chosen in the settings.
    w.vScroll()->hide();
    g.selectedIndex = 0;
    g.cellSize = g.pendingThumbSize;
    g.comment = g.pendingComment;
    PrepareCover(w);

    ClearGridPicture(w);
    w.setPanel(1, QString());
    w.setPanel(2, QString());
    w.setPanel(3, QString());
    g.albums.clear();
    g.albums.reserve(choice.names.size());
    for (const QString& name : choice.names) {
        AlbumEntry e;
        e.fileName = name;
        e.comment = initialComment(name);
        g.albums.append(e);
    }
    g.albumFolder = withTrailingSlash(choice.folder);
    g.chooserFolder = g.albumFolder;
    g.containerPath.clear();
    g.clear(Flag::Modified); // the user chose to leave the old document unsaved
    w.setWindowTitle(QString::fromLatin1(kProgramName));
    g.set(Flag::GridSource);

    DisableSelectionItems(w);
    DisableGridItems(w);
    switchPasteOffIfOn(w);
    g.mode = Mode::Chosen;
    return true;
}

void frmMain_mnuContnrNew_Click(frmMain& w)
{
    // The chooser leaves the window usable; a second New while it is open does nothing.
    static bool chooserOpen = false;
    if (chooserOpen)
        return;
    GlobalState& g = stdGlobal();
    if (g.has(Flag::Modified)) {
        // The changes stay flagged until a save writes them.
        if (askSaveChanges(QStringLiteral("新規作成"))) {
            w.runCommand(Command::ContnrAdd);
            return;
        }
    }
    ChooserRequest request;
    request.kind = ChooserKind::NewGrid;
    request.startFolder = g.chooserFolder;
    request.accept = [&w](const AlbumChoice& c) { return acceptNewDocument(w, c); };
    chooserOpen = true;
    const bool chosen = prompts().chooseAlbums(request);
    chooserOpen = false;
    if (chosen)
        frmMain_Form_Activate(w); // the main window is active again: loading starts
}

} // namespace quorbell
