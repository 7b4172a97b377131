// Cut, copy, paste and delete of grid entries. The internal clipboard holds
// one entry (all its values); copying also puts its thumbnail on the system
// clipboard as an image. Paste inserts the clipboard entry before the
// selected one. The commands change the document only, never album files.
#pragma once

#include "grid/GridDrawing.h"

#include <QImage>

namespace quorbell {

class frmMain;
class AlbumDocument;
struct GridLayout;

void frmMain_mnuEditCut_Click(frmMain& w);
void frmMain_mnuEditCopy_Click(frmMain& w);
void frmMain_mnuEditPut_Click(frmMain& w);
void frmMain_mnuEditDelete_Click(frmMain& w);

// The thumbnail a pasted entry gets in a grid of `cellSize`: the picture
// unchanged when it fits inside the cell, so that a picture of any fit comes
// back identical; a larger one fitted to the cell.
QImage pastedThumbnail(const QImage& picture, qint32 thumbSize, int cellSize);

} // namespace quorbell
