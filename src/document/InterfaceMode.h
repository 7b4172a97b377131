// The interface modes of the main window.
#pragma once

#include <QtGlobal>

namespace quorbell {

namespace Mode {
inline constexpr qint16 Empty = 0;        // no document, or loading abandoned
inline constexpr qint16 Chosen = 1;       // albums chosen; loading starts on activation
inline constexpr qint16 Loading = 2;      // the loading loop runs
inline constexpr qint16 Shown = 3;        // grid shown, nothing selected
inline constexpr qint16 Selected = 4;     // grid shown, an entry selected
inline constexpr qint16 ViewerOffset = 3; // the viewer adds 3 while it runs (6, 7)

// The grid is on screen, with or without a selection.
inline constexpr bool showsGrid(qint16 mode)
{
    return mode == Shown || mode == Selected;
}
// The viewer runs over the grid (and gives it back as it was).
inline constexpr bool isViewer(qint16 mode)
{
    return mode > Selected;
}
} // namespace Mode

} // namespace quorbell
