// Deleting a file the way the desktop does: into the user's trash, from
// where it can be brought back, and nowhere else.
#pragma once

#include <QString>

namespace quorbell {

// The home trash: $XDG_DATA_HOME/Trash, normally ~/.local/share/Trash.
QString homeTrashFolder();

// Makes whatever is missing of the home trash and its "files" and "info"
// folders (and of the data folder above it), each open to the user only.
// True when all three are folders.
bool ensureHomeTrash();

// Moves a file to the home trash, or to its own file system's trash when it
// lies on another one. A file no trash serves is deleted. True when the file
// is gone from its folder.
bool moveFileToTrash(const QString& path);

} // namespace quorbell
