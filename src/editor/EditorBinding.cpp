#include "editor/EditorBinding.h"

#include "album/AlbumReaderUi.h"
#include "album/frmPasswd2.h"
#include "container/ClipboardCommands.h"
#include "core/CommandState.h"
#include "core/GlobalState.h"
#include "core/TextRules.h"
#include "core/frmMain.h"
#include "editor/AlbumEditorWindow.h"
#include "editor/AlbumOpening.h"
#include "grid/GridDrawing.h"
#include "grid/GridGeometry.h"

#include <QDir>
#include <QFileInfo>

namespace quorbell {
namespace {

// The program's album prompt, with the password buffers it keeps.
bool unlockWithPrompt(const PasswordBytes& stored, const QString& path)
{
    return unlockAlbum(stored, QFileInfo(path).fileName(), path);
}

// Whether the grid shows albums from the folder of `path`.
bool gridHoldsFolderOf(const GlobalState& g, const QString& path)
{
    return g.isGridShown() && !g.albumFolder.isEmpty() &&
           QDir(g.albumFolder).canonicalPath() == QFileInfo(path).absoluteDir().canonicalPath();
}

// The entry of `name` read again: size, date, size word and thumbnail.
void rereadEntry(frmMain& w, int index, const QString& path)
{
    GlobalState& g = stdGlobal();
    const QString name = g.albums.at(index).fileName;
    const AlbumReadOutcome outcome = ReadAlbumFile(w, qint16(index), path, name);
    if (outcome == AlbumReadOutcome::Read || outcome == AlbumReadOutcome::Unreadable)
        MakeThumbnail(qint16(index));
    // A prompt cancelled here leaves the grid as it was shown.
    if (g.mode == Mode::Empty)
        g.mode = Mode::Selected;
}

// A new album in the container grid, before the selection as adding thumbnails puts it.
int insertEntry(frmMain& w, const QString& name)
{
    GlobalState& g = stdGlobal();
    const int at = g.mode == Mode::Selected ? g.selectedIndex : g.albumCount();
    AlbumEntry entry;
    entry.fileName = name;
    entry.comment = initialComment(name);
    g.albums.insert(at, entry);
    if (entry.isHidden())
        g.hiddenCount = qint16(g.hiddenCount + 1);
    if (g.mode == Mode::Selected)
        g.selectedIndex = qint16(g.selectedIndex + 1);
    switchButtonOff(w, Cmd::Insert);
    switchButtonOff(w, Cmd::Rename);
    return at;
}

// After the editor saved `path`: its grid entry gets the new thumbnail, size
// word, file size and date; a new album is added to a container grid of its folder.
void albumSaved(frmMain& w, const QString& path, const album::AlbumContents& contents,
                int editedIndex)
{
    GlobalState& g = stdGlobal();
    // The password just saved opens the album when the grid reads it again.
    if (hasPassword(contents.password))
        g.enteredPassword = contents.password;
    if (!gridHoldsFolderOf(g, path))
        return;
    const QString name = QFileInfo(path).fileName();
    int index = editedIndex;
    if (index < 0) {
        for (int i = 0; i < g.albumCount() && index < 0; ++i) {
            if (withoutHiddenMark(g.albums.at(i).fileName) == withoutHiddenMark(name))
                index = i;
        }
    }
    if (index < 0) {
        // Only a grid read from or saved as a container takes new entries.
        if (g.has(Flag::GridSource) || g.albumCount() >= kMaxAlbums)
            return;
        index = insertEntry(w, name);
    }
    rereadEntry(w, index, g.albumFolder + g.albums.at(index).fileName);
    g.set(Flag::Modified);
    w.setPanel(1, shownAlbumsText(g));
    RefreshGrid(w, true, true);
    syncScrollValue(w);
    if (g.mode == Mode::Selected) {
        w.setPanel(2, selectedNumberText(g.selectedIndex));
        w.setPanel(3, selectedNameText(g.albums.at(g.selectedIndex).fileName));
    }
}

void runEditor(frmMain& w, const QString& path, const editor::OpenedAlbum& album, int editedIndex)
{
    editor::AlbumEditorWindow editorWindow(path, album.contents, album.passwordText, &w);
    // A new album is offered a place beside the grid's albums.
    editorWindow.setNewAlbumFolder(stdGlobal().albumFolder);
    // A new album's later saves find the entry its first save added by name.
    QObject::connect(&editorWindow, &editor::AlbumEditorWindow::saved, &w,
                     [&w, editedIndex](const QString& saved, const album::AlbumContents& c) {
                         albumSaved(w, saved, c, editedIndex);
                     });
    editorWindow.exec();
}

bool editorMayRun(const GlobalState& g)
{
    return g.mode != Mode::Loading && !g.isViewerRunning();
}

} // namespace

void frmMain_mnuAlbumMake_Click(frmMain& w)
{
    if (!editorMayRun(stdGlobal()))
        return;
    runEditor(w, QString(), editor::OpenedAlbum{}, -1);
}

void frmMain_mnuAlbumEdit_Click(frmMain& w)
{
    const GlobalState& g = stdGlobal();
    if (g.mode != Mode::Selected)
        return;
    const int index = g.selectedIndex;
    const QString path = g.albumPath(index);
    const std::optional<editor::OpenedAlbum> album =
        editor::openAlbumForEditing(path, unlockWithPrompt);
    if (album)
        runEditor(w, path, *album, index);
}

void frmMain_mnuPhotoExport_Click(frmMain& w)
{
    const GlobalState& g = stdGlobal();
    if (g.mode != Mode::Selected)
        return;
    editor::exportAlbumPhotos(g.albumPath(g.selectedIndex), unlockWithPrompt);
    w.activateWindow();
}

void registerEditorCommands(frmMain& w)
{
    frmMain* win = &w;
    w.setCommand(Command::AlbumMake, [win] { frmMain_mnuAlbumMake_Click(*win); });
    w.setCommand(Command::AlbumEdit, [win] { frmMain_mnuAlbumEdit_Click(*win); });
    w.setCommand(Command::PhotoExport, [win] { frmMain_mnuPhotoExport_Click(*win); });
}

} // namespace quorbell
