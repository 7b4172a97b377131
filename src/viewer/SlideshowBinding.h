// Where the viewer meets the program's state: the only viewer file that reads
// or writes it. It builds a show's setup from the state, starts the window,
// and writes back what the show reports (the album it is in, the password
// entered, the mode while the window is up).
#pragma once

namespace quorbell {

class frmMain;

// Starts the slideshow (random false) or the random display from the grid,
// in modes 3 and 4 only.
void startSlideshow(frmMain& w, bool random);

} // namespace quorbell
