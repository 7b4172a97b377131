// Where the grid stands: the entries drawn, the layout cursor and the row
// counters of the last redraw. The grid surface owns it; the grid arithmetic
// and drawing update it.
#pragma once

#include <QtGlobal>

namespace quorbell {

struct GridLayout
{
    qint16 firstDrawnIndex = 0;
    qint16 lastDrawnIndex = 0;
    qint16 entriesBelow = 0;  // visible entries after the last drawn one
    qint16 cellsInRow = 0;    // cells placed in the row the cursor is on
    qint16 columnsPerRow = 0; // cells a full row holds at the last redraw
    qint16 rowsBelow = 0;
    qint16 cursorX = 0; // the next cell's top-left corner, pixels
    qint16 cursorY = 0;
};

} // namespace quorbell
