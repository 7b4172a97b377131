// The viewer's photo tables in the shared state: filled from an album's parsed
// table, and read back one photo at a time.
#pragma once

#include "album/AlbumTable.h"

namespace quorbell {

struct ViewerState;

namespace viewer {

// The name the show's order rules see for a photo. A photo whose image
// position or length lies outside the file is passed over as a photo marked
// "*" is, so the name table holds it marked.
QString showOrderName(const album::AlbumPhoto& photo);

// Photo count, names (as showOrderName gives them), size words, positions and
// lengths from the table.
void setViewerTables(ViewerState& g, const album::AlbumTable& table);
// An album without photos: count 0 and empty tables.
void clearViewerTables(ViewerState& g);

// True when `index` lies inside every one of the photo tables.
bool hasViewerPhoto(const ViewerState& g, int index);
// Photo `index` of the tables (name, size word, position, length); an empty
// entry for an index outside them.
album::AlbumPhoto viewerPhoto(const ViewerState& g, int index);

} // namespace viewer
} // namespace quorbell
