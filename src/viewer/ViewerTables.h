// How the show's order rules see the photos of an album's table.
#pragma once

#include "album/AlbumTable.h"

namespace quorbell::viewer {

// The name the show's order rules see for a photo. A photo whose image
// position or length lies outside the file is passed over as a photo marked
// "*" is, so its name is given marked.
QString showOrderName(const album::AlbumPhoto& photo);

} // namespace quorbell::viewer
