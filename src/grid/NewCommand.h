// The New command: asks about unsaved changes, lets the user choose album
// files or a folder of them, and starts a new document from the choice.
#pragma once

#include "document/Prompts.h"

namespace quorbell {

class frmMain;

void frmMain_mnuContnrNew_Click(frmMain& w);

// What the chooser's OK buttons do with a choice; false (with a message)
// when nothing was chosen or too much, and the chooser stays open.
bool acceptNewDocument(frmMain& w, const AlbumChoice& choice);

} // namespace quorbell
