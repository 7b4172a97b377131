// Reading a whole container at once: the tables and every thumbnail decoded.
// quorbell-cli and the tests use this; the program opens with ContainerFile
// and ThumbnailLoader so that it can draw the first thumbnails while the rest
// are still being decoded.
#pragma once

#include "container/ContainerDocument.h"
#include "container/ContainerError.h"

#include <QString>

namespace quorbell::container {

// The whole file, thumbnails decoded on worker threads. Any record that
// cannot be decoded makes the file invalid (BadBitmap with its index).
ContainerResult<ContainerDocument> readContainer(const QString& path);

} // namespace quorbell::container
