// The grid's arithmetic: how a thumbnail fits its cell, where the next cell
// goes, which cell a click hits, how many rows lie off screen, and the texts
// of the comment strip and the status bar. Pure functions over the document
// and the grid's layout values; no drawing here.
#pragma once

#include "core/CellFit.h"

#include <QPoint>
#include <QSize>
#include <QString>

#include <optional>

namespace quorbell {

class AlbumDocument;
struct GridLayout;

// Left and top of the first cell, and the gap between cells.
namespace Grid {
inline constexpr int Left = 10;
inline constexpr int Top = 33;
inline constexpr int Gap = 3;
inline constexpr int RightMargin = 25;  // a row is full when x + cell + 25 > client width
inline constexpr int BottomMargin = 30; // a row fits while y + cell + strip + 30 <= client height
} // namespace Grid

struct PlaceResult
{
    bool wrapped = false;   // the row was full and the cursor went to the next one
    bool newRowFits = true; // only meaningful when wrapped
};

// Advances the layout cursor past the cell just drawn at it.
PlaceResult placeNextCell(GridLayout& lay, const AlbumDocument& doc, int clientWidth,
                          int clientHeight);

// Puts the cursor back to the first cell and clears the row counters.
void resetLayoutCursor(GridLayout& lay);

// The text printed in the comment strip: the whole comment centred with
// leading blanks when it is narrower than the limit, else cut at the limit
// with "-" (a comment whose last character reaches the limit prints whole).
QString commentStripText(const QString& comment, int widthLimit);

// Index of the first visible entry from firstDrawnIndex whose recorded cell
// contains the point; nothing on a miss (the comment strip never hits).
std::optional<int> hitTest(const AlbumDocument& doc, const GridLayout& lay, QPoint p);

// Hidden entries among indexes [from, to).
int hiddenBetween(const AlbumDocument& doc, int from, int to);

// The scroll bar's maximum in rows after a redraw; nothing when everything
// fits and the view is at the top (the scroll bar is then hidden).
std::optional<int> scrollMaximum(const AlbumDocument& doc, const GridLayout& lay);

// Rows that the entries below the view take.
int rowsBelowView(const GridLayout& lay);

// The first drawn index for a scroll value: value rows of visible entries,
// hidden entries skipped.
int firstIndexForScrollValue(const AlbumDocument& doc, const GridLayout& lay, int value);

// Cells in a full row of a client area this wide: the cells placed before the
// layout cursor wraps (at least one, as the first cell of a row always goes in).
int columnsThatFit(int cellSize, int clientWidth);

// The row width the scroll arithmetic divides by: the columns that fit the
// width at the last redraw (never zero). A short last row does not change it.
int rowWidth(const GridLayout& lay);

// The first drawn index one row of visible entries further up (hidden
// entries skipped), for a row of `rowWidth` cells.
int firstIndexOneRowUp(const AlbumDocument& doc, const GridLayout& lay, int rowWidth);

// Status bar texts.
QString shownAlbumsText(const AlbumDocument& doc); // "表示アルバム数： " + shown count
QString hiddenAlbumsText(const AlbumDocument& doc); // "非表示アルバム数： " + hidden, or empty
QString loadingText(const AlbumDocument& doc); // "読込みアルバム数： " + load index "/" count
QString selectedNumberText(int index);         // "選択アルバム番号： " + index + 1
QString
selectedNameText(const QString& fileName); // "選択アルバム名： " + name before its first dot

} // namespace quorbell
