// The toolbar buttons and menu items follow the document and the interface
// mode: a selection brings the selection commands, a document leaving the
// window takes the grid commands with it, and a filled clipboard brings
// Paste. Rules that belong to one command (Insert after an insert, Save after
// a save) stay with that command.
#pragma once

class QObject;

namespace quorbell {

class frmMain;

// The connections live as long as `context`.
void connectCommandStates(frmMain& w, QObject* context);

} // namespace quorbell
