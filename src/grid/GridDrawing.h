// Drawing the grid into the main window's persistent image: cells with their
// raised frames, thumbnails or the cover, comment strips, the cross over a
// missing album, the selection frame, and the scroll bar's range.
#pragma once

#include "grid/GridGeometry.h"

#include <QFont>

namespace quorbell {

class frmMain;

void DrawThumbnailCell(frmMain& w, int index, int x, int y);
void DrawCommentStrip(frmMain& w, int index, int x, int y);
void DrawCoverInCell(frmMain& w, int x, int y);

// Clears the grid and draws entries first..last from the top-left cell,
// stopping at the first row that no longer fits.
void RedrawGrid(frmMain& w, int first, int last);
// The same layout as RedrawGrid (cursor, cell positions, counts) without
// painting: for a redraw that will be painted later anyway.
void LayOutGridOnly(frmMain& w, int first, int last);
void DrawSelectionFrame(frmMain& w, int index);
void UpdateScrollRange(frmMain& w);
PlaceResult PlaceNextCell(frmMain& w);

// Clears the grid surface (the window's background picture).
void ClearGridPicture(frmMain& w);

// Sets the scroll bar, without scrolling, to the row of the first drawn index.
void syncScrollValue(frmMain& w);

// Draws the selection frame when the mode is 4 and the selection is on screen.
void DrawSelectionIfShown(frmMain& w);

// The usual refresh after a change of the document: redraw from the first
// drawn index to the last entry, optionally the scroll range, then the
// selection frame when it is on screen.
void RefreshGrid(frmMain& w, bool updateScrollRange, bool drawSelection);

// The fixed-pitch Japanese face of the comment strips, at a size in points.
QFont commentFont(int pointSize);

// The colours of a raised frame.
QColor frameHighlight(const frmMain& w);
QColor frameShadow(const frmMain& w);

} // namespace quorbell
