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

// The size to keep for a window that is now `current`: where the window is as
// large as `available` less `frame` lets it be and `stored` was larger, the
// screen held it back, not the user, so `stored` stands; everywhere else the
// window's own size. A `stored` size that is not valid never stands.
QSize windowSizeToRecord(QSize stored, QSize current, QSize available, QSize frame);

} // namespace quorbell
