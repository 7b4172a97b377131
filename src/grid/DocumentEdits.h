// The document's edits as steps of its undo stack. An edit command runs as
// it always did; when it changed the entries, the document as it was before
// and after (and the album files it renamed) become one step. Undo and redo
// put one of the two back and show the grid as it is after loading.
#pragma once

#include "core/AlbumEntry.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace quorbell {

class frmMain;

// An album file renamed by an edit: its path before and after.
struct FileRename
{
    QString from;
    QString to;
};

// Runs `edit` and records it as the step `name` when it changed the entries.
void recordEdit(frmMain& w, const QString& name, const std::function<void()>& edit);
// The same for an edit that renames album files; it returns them in order.
void recordRenamingEdit(frmMain& w, const QString& name,
                        const std::function<QList<FileRename>()>& edit);

// An edit that ends later, after the event loop has turned (albums added
// through the loading loop): startEdit keeps the document as it is, and
// finishEdit records the step `name` when the entries changed since.
struct EditStart;
std::shared_ptr<const EditStart> startEdit(frmMain& w);
void finishEdit(frmMain& w, const QString& name, const EditStart& start);

// Undo and redo as the Edit menu runs them. A step whose album files cannot
// be renamed (a name is taken, a file is gone) is refused with a message and
// nothing changes.
void frmMain_mnuEditUndo_Click(frmMain& w);
void frmMain_mnuEditRedo_Click(frmMain& w);

// An album file deleted (which cannot be undone): its entry leaves every
// recorded step, so no undo brings back a thumbnail without its file, and
// the saved state can no longer be reached by undo.
void forgetDeletedAlbum(frmMain& w, const QString& fileName);

// A grid without entries: as at start, with no document shown.
void showEmptyGrid(frmMain& w);

// The Undo and Redo items: their commands, keys, enabled state and texts.
void registerUndoCommands(frmMain& w);

} // namespace quorbell
