// The container menu's "最近使ったファイル(&F)" submenu, at the end of its
// file group: the recent containers, newest first, by file name with the
// folder in the tooltip. One that is gone is dropped from the list when
// chosen, with Open's message.
#pragma once

#include <QString>

class QMenu;

namespace quorbell {

class frmMain;

// Builds the submenu, which reads the recent list each time it opens.
QMenu* addRecentContainersMenu(frmMain& w);

// What choosing a recent container does.
void openRecentContainer(frmMain& w, const QString& path);

} // namespace quorbell
