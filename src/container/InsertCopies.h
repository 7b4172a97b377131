// The album copies an Insert made beside the container that did not become
// entries (Escape, a cancelled password, an album that could not be read):
// nothing in the grid points at them, so they go again.
#pragma once

#include <QStringList>

namespace quorbell {

class AlbumDocument;

// Removes each of `copies` (files the Insert itself copied) whose name no
// entry of `doc` carries; the copies that were added stay.
void removeCopiesNotAdded(const AlbumDocument& doc, const QStringList& copies);

} // namespace quorbell
