// The main window's size between runs: the settings file keeps the size the
// user gave the window, in device-independent pixels, and the window opens at
// that size as far as the screen's available area allows.
#pragma once

#include <QSize>

namespace quorbell {

// The smallest window the grid is usable in.
inline constexpr QSize kSmallestWindow(320, 240);

// The size to open the window at: `stored` (the smallest usable size at
// least), within `available` less `frame` (what the window frame adds; empty
// while the window system has not framed the window yet).
QSize windowSizeToOpen(QSize stored, QSize available, QSize frame);

// The size to keep for a window that is now `current` and was opened at
// `opened` for a `stored` size: where the window is smaller than `stored`
// because the screen held it back (it still has the size it opened at, or it
// is as large as `available` less `frame` lets it be), `stored` stands;
// everywhere else the window's own size, as the user left it. A `stored` size
// that is not valid never stands.
QSize windowSizeToRecord(QSize stored, QSize opened, QSize current, QSize available, QSize frame);

} // namespace quorbell
