#include "editor/EditorBinding.h"

#include "album/AlbumReaderUi.h"
#include "album/frmPasswd2.h"
#include "container/ClipboardCommands.h"
#include "core/CommandState.h"
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

// The program's album prompt, with the password buffers the document keeps.
auto unlockWithPrompt(frmMain& w)
{
    return [&w](const PasswordBytes& stored, const QString& path) {
        return unlockAlbum(w.document(), stored, QFileInfo(path).fileName(), path);
    };
}

// Whether the grid shows albums from the folder of `path`.
bool gridHoldsFolderOf(const frmMain& w, const QString& path)
{
    const QString& folder = w.document().albumFolder();
    return w.isGridShown() && !folder.isEmpty() &&
           QDir(folder).canonicalPath() == QFileInfo(path).absoluteDir().canonicalPath();
}

// The entry of `name` read again: size, date, size word and thumbnail.
void rereadEntry(frmMain& w, int index, const QString& path)
{
    AlbumDocument& doc = w.document();
    const QString name = doc.entry(index).fileName;
    LoadedPicture current;
    const AlbumReadOutcome outcome = ReadAlbumFile(w, current, qint16(index), path, name);
    if (outcome == AlbumReadOutcome::Read || outcome == AlbumReadOutcome::Unreadable)
        MakeThumbnail(doc, current, qint16(index));
    // A prompt cancelled here leaves the grid as it was shown.
    if (w.mode() == Mode::Empty)
        w.setMode(Mode::Selected);
}

// A new album in the container grid, before the selection as adding thumbnails puts it.
int insertEntry(frmMain& w, const QString& name)
{
    AlbumDocument& doc = w.document();
    const int at = w.mode() == Mode::Selected ? doc.selectedIndex() : doc.albumCount();
    AlbumEntry entry;
    entry.fileName = name;
    entry.comment = initialComment(name);
    doc.insertEntry(at, entry);
    if (entry.isHidden())
        doc.setHiddenCount(qint16(doc.hiddenCount() + 1));
    if (w.mode() == Mode::Selected)
        doc.setSelectedIndex(doc.selectedIndex() + 1);
    switchButtonOff(w, Cmd::Insert);
    switchButtonOff(w, Cmd::Rename);
    return at;
}

// After the editor saved `path`: its grid entry gets the new thumbnail, size
// word, file size and date; a new album is added to a container grid of its folder.
void albumSaved(frmMain& w, const QString& path, const album::AlbumContents& contents,
                int editedIndex)
{
    AlbumDocument& doc = w.document();
    // The password just saved opens the album when the grid reads it again.
    if (hasPassword(contents.password))
        doc.setEnteredPassword(contents.password);
    if (!gridHoldsFolderOf(w, path))
        return;
    const QString name = QFileInfo(path).fileName();
    int index = editedIndex;
    if (index < 0) {
        for (int i = 0; i < doc.albumCount() && index < 0; ++i) {
            if (withoutHiddenMark(doc.entry(i).fileName) == withoutHiddenMark(name))
                index = i;
        }
    }
    if (index < 0) {
        // Only a grid read from or saved as a container takes new entries.
        if (doc.isGridSource() || doc.albumCount() >= kMaxAlbums)
            return;
        index = insertEntry(w, name);
    }
    rereadEntry(w, index, doc.albumFolder() + doc.entry(index).fileName);
    doc.setModified(true);
}

void runEditor(frmMain& w, const QString& path, const editor::OpenedAlbum& album, int editedIndex)
{
    editor::AlbumEditorWindow editorWindow(path, album.contents, album.passwordText, &w);
    // A new album is offered a place beside the grid's albums.
    editorWindow.setNewAlbumFolder(w.document().albumFolder());
    // A new album's later saves find the entry its first save added by name.
    QObject::connect(&editorWindow, &editor::AlbumEditorWindow::saved, &w,
                     [&w, editedIndex](const QString& saved, const album::AlbumContents& c) {
                         albumSaved(w, saved, c, editedIndex);
                     });
    editorWindow.exec();
}

bool editorMayRun(const frmMain& w)
{
    return w.mode() != Mode::Loading && !w.isViewerRunning();
}

} // namespace

void frmMain_mnuAlbumMake_Click(frmMain& w)
{
    if (!editorMayRun(w))
        return;
    runEditor(w, QString(), editor::OpenedAlbum{}, -1);
}

void frmMain_mnuAlbumEdit_Click(frmMain& w)
{
    if (w.mode() != Mode::Selected)
        return;
    const int index = w.document().selectedIndex();
    const QString path = w.document().albumPath(index);
    const std::optional<editor::OpenedAlbum> album =
        editor::openAlbumForEditing(path, unlockWithPrompt(w));
    if (album)
        runEditor(w, path, *album, index);
}

void frmMain_mnuPhotoExport_Click(frmMain& w)
{
    if (w.mode() != Mode::Selected)
        return;
    const AlbumDocument& doc = w.document();
    editor::exportAlbumPhotos(doc.albumPath(doc.selectedIndex()), unlockWithPrompt(w));
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
