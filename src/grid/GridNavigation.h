// Where a key moves the grid's selection. The grid lays out its shown
// entries (hidden ones get no cell) in rows of a fixed number of columns from
// the first entry on, so a move is arithmetic over positions among the shown
// entries; no widgets or shared state here.
#pragma once

namespace quorbell {

enum class GridKey { Left, Right, Up, Down, Home, End, PageUp, PageDown };

struct GridExtent
{
    int shown = 0;    // shown entries
    int columns = 1;  // cells in a full row
    int pageRows = 1; // rows that fit the window
};

// The position (0-based among the shown entries) the key selects, from
// `current` (-1 for no selection, when any key selects the first cell);
// -1 when nothing is shown. A move past either end stays at the end; Down
// from a row above a short last row lands on the last cell.
int moveInGrid(int current, GridKey key, const GridExtent& extent);

// The first row to show so that `row` is in a window of `pageRows` rows whose
// first row is `firstRow` now: unchanged when it already is.
int firstRowShowing(int row, int firstRow, int pageRows);

// Rows of cells that fit a client area this tall: the first row always, then
// each further one while its comment strip and the bottom margin still fit.
int rowsThatFit(int cellSize, int stripHeight, int clientHeight);

} // namespace quorbell
