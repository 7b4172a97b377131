// Reading a whole container at once: the tables and every thumbnail decoded.
// quorbell-cli and the tests use this; the program opens with ContainerFile
// and ThumbnailLoader so that it can draw the first thumbnails while the rest
// are still being decoded.
#pragma once

#include "container/ContainerDocument.h"
#include "container/ContainerError.h"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace quorbell::container {

class ContainerFile;

// The whole file, thumbnails decoded on worker threads. Any record that
// cannot be decoded makes the file invalid (BadBitmap with its index).
ContainerResult<ContainerDocument> readContainer(const QString& path);

// Decodes every thumbnail record of an open container on worker threads and
// hands the pictures to `take` in grid order (a null picture for an entry
// without one); without `take` each picture is dropped once decoded, so memory
// stays flat. Stops at the first record that cannot be decoded and returns
// its error.
std::optional<ContainerError>
decodeEveryThumbnail(std::shared_ptr<const ContainerFile> file,
                     const std::function<void(int index, QImage picture)>& take = {});

} // namespace quorbell::container
