// The four sort commands of the edit menu.
#pragma once

#include "grid/Sort.h"

namespace quorbell {

class frmMain;

void sortGrid(frmMain& w, SortKey key);
void frmMain_mnuSortDateU_Click(frmMain& w);
void frmMain_mnuSortDateL_Click(frmMain& w);
void frmMain_mnuSortFileU_Click(frmMain& w);
void frmMain_mnuSortFileL_Click(frmMain& w);

} // namespace quorbell
