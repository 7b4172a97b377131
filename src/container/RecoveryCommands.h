// Keeping the open document when the program is told to end without a chance
// to ask, and offering it again at the next start.
#pragma once

#include <QString>

namespace quorbell {

class frmMain;

// Writes the open document, unsaved changes and container password included,
// to the recovery folder; true when it was kept. A failure is reported on
// standard error: no window may ask anything at that point.
bool keepDocumentForRecovery(const frmMain& w);

// Offers each kept document, newest first. Yes opens it as an unsaved
// document (no file name yet; its albums are looked for in the folder they
// were in) and removes the kept file; No removes the kept file and offers the
// next. A file is left alone while the program is itself being ended. True
// when a kept document was opened.
bool offerRecovery(frmMain& w);

// Opens one kept document as above; false when it could not be read (its
// message was shown) or its password prompt was cancelled.
bool openRecoveredDocument(frmMain& w, const QString& path);

} // namespace quorbell
