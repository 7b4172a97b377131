// The album editor commands on the main window: make a new album, edit the
// selected one, write the selected album's photos to a folder. This pair of
// files is the only place where the editor meets the program's state.
#pragma once

namespace quorbell {

class frmMain;

void frmMain_mnuAlbumMake_Click(frmMain& w);
void frmMain_mnuAlbumEdit_Click(frmMain& w);
void frmMain_mnuPhotoExport_Click(frmMain& w);

void registerEditorCommands(frmMain& w);

} // namespace quorbell
