// Adding thumbnails to a container grid: album files chosen in the chooser
// ("サムネイル追加") are inserted before the selected entry, after a check
// that no chosen name is already in the grid, and read by the loading loop
// with its progress bar. Abandoning an album (its password prompt cancelled,
// or a file that is not an album) or pressing Escape keeps the albums read
// before it and drops the rest (and the copies made of them beside the
// container); what was added is one step of the undo history.
#pragma once

#include "document/Prompts.h"

namespace quorbell {

class AlbumDocument;
class frmMain;

void frmMain_mnuEditInsert_Click(frmMain& w);

// What Insert does once the albums are chosen: the duplicate and count
// checks, then the albums `names` of `folder` read in before the selection;
// it returns while the loading loop reads them. Nothing without a selection
// in a container grid.
void insertAlbumFiles(frmMain& w, const QString& folder, const QStringList& names);

// What the chooser's OK buttons do: with nothing chosen a warning, and the
// chooser stays open; otherwise the choice is kept in `kept`.
bool acceptInsertChoice(const AlbumChoice& choice, AlbumChoice& kept);

// The first entry (in grid order) whose name, without its hidden mark, equals
// one of `names` regardless of letter case; -1 when there is none.
int firstDuplicateEntry(const AlbumDocument& doc, const QStringList& names);

} // namespace quorbell
