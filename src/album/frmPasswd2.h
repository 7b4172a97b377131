// The album password prompt's logic. The dialog itself (caption, label, the
// masked entry of at most 8 single-byte characters) is shown through the
// prompts interface; its OK button runs the handler below, which works on the
// document's password buffers.
#pragma once

#include "core/PasswordForm.h"

#include <QString>

namespace quorbell {

class AlbumDocument;

// OK: the typed text becomes the entered-password bytes; when they do not
// open the album password, a warning names the album's full path (the viewer
// album path `path`). The caller compares again.
void frmPasswd2_btnOK_Click(AlbumDocument& doc, const QString& typed, const QString& path);
// Shows the prompt for the album file `name` and runs the button the user
// pressed; false when it was Cancel.
bool frmPasswd2_Show(AlbumDocument& doc, const QString& name, const QString& path);

// What both callers (the album reader and the viewer) do with an album's
// stored password: keep it as the album password, and while the entered bytes
// do not open it, show the prompt for `name` (the mismatch message names
// `path`). True when the album is open, false when the prompt was cancelled.
// A password typed earlier in the run opens the album without a prompt.
bool unlockAlbum(AlbumDocument& doc, const PasswordBytes& stored, const QString& name,
                 const QString& path);

} // namespace quorbell
