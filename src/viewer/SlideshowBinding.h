// Where the viewer meets the program's state: the only viewer file that reads
// or writes it. It builds a show's setup from the state, starts the window,
// and writes back what the show reports (the album it is in, the password
// entered, the mode while the window is up).
#pragma once

#include "viewer/PhotoNameLine.h"
#include "viewer/PhotoTarget.h"

namespace quorbell {

class frmMain;
struct Settings;

// Starts the slideshow (random false) or the random display from the grid,
// in modes 3 and 4 only.
void startSlideshow(frmMain& w, bool random);

namespace viewer {

// The sizing choice of the settings (optSizeMax, optFullSize).
SizingChoice sizingChoiceFrom(const Settings& g);
// The name-line settings.
NameLineStyle nameLineStyleFrom(const Settings& g);

} // namespace viewer

} // namespace quorbell
