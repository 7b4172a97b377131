// Files dropped on the main window from a file manager (text/uri-list): a
// container opens as Open opens it, album files start a new grid when no
// document is open or are added before the selection as Insert adds them.
// Anything else is refused while it is dragged, so the pointer shows that it
// cannot be dropped, and nothing is said.
#pragma once

#include "container/DropPlan.h"

namespace quorbell {

class frmMain;

// The window's state as a drop sees it.
DropTargetState dropTargetState(const frmMain& w);

// Carries out a plan that is not Refused.
void runDropPlan(frmMain& w, const DropPlan& plan);

// Lets the window take drops.
void acceptDropsOn(frmMain& w);

} // namespace quorbell
