// The commands of the dialogs: settings, batch rename, properties, album
// list, help and version, registered by their menu names.
#pragma once

namespace quorbell {

class frmMain;
class frmHelp;

void frmMain_mnuOptionCondition_Click(frmMain& w);
void frmMain_mnuEditRename_Click(frmMain& w);
void frmMain_mnuContnrInfo_Click(frmMain& w);
void frmMain_mnuContnrList_Click(frmMain& w);
void frmMain_mnuHelpIndex_Click(frmMain& w);
void frmMain_mnuHelpVersion_Click(frmMain& w);

// The help window, while one is open.
frmHelp* helpWindow();

void registerDialogCommands(frmMain& w);

} // namespace quorbell
