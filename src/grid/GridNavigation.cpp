#include "grid/GridNavigation.h"

#include "grid/GridGeometry.h"

#include <algorithm>

namespace quorbell {

int moveInGrid(int current, GridKey key, const GridExtent& extent)
{
    const int last = extent.shown - 1;
    if (last < 0)
        return -1;
    if (current < 0 || current > last)
        return 0;
    const int columns = std::max(1, extent.columns);
    const int page = columns * std::max(1, extent.pageRows);
    switch (key) {
    case GridKey::Left:
        return std::max(0, current - 1);
    case GridKey::Right:
        return std::min(last, current + 1);
    case GridKey::Up:
        return current - columns >= 0 ? current - columns : current;
    case GridKey::Down:
        // Into a short last row: its last cell, when the column is empty there.
        if (current / columns == last / columns)
            return current;
        return std::min(last, current + columns);
    case GridKey::Home:
        return 0;
    case GridKey::End:
        return last;
    case GridKey::PageUp:
        // The same column as far as it goes, else the first row's cell of it.
        return current - page >= 0 ? current - page : current % columns;
    case GridKey::PageDown:
        return std::min(last, current + page);
    }
    return current;
}

int firstRowShowing(int row, int firstRow, int pageRows)
{
    const int rows = std::max(1, pageRows);
    if (row < firstRow)
        return row;
    if (row >= firstRow + rows)
        return row - rows + 1;
    return firstRow;
}

int rowsThatFit(int cellSize, int stripHeight, int clientHeight)
{
    const int pitch = cellSize + stripHeight + Grid::Gap;
    // A row at y fits while y + cell + strip + bottom margin <= height.
    const int room = clientHeight - Grid::Top - cellSize - stripHeight - Grid::BottomMargin;
    if (pitch <= 0 || room < 0)
        return 1;
    return room / pitch + 1;
}

} // namespace quorbell
