#include "container/ContainerReader.h"

#include "container/ContainerFile.h"
#include "container/ThumbnailLoader.h"

namespace quorbell::container {

ContainerResult<ContainerDocument> readContainer(const QString& path)
{
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    if (!file)
        return file.error();
    ThumbnailLoader loader(*file);
    loader.start();
    loader.waitForReady(loader.count());
    if (std::optional<ContainerError> failure = loader.firstFailure())
        return *failure;
    ContainerDocument doc = (*file)->document();
    for (int i = 0; i < loader.count(); ++i)
        doc.albums[i].thumbnail = loader.takeThumbnail(i);
    return doc;
}

} // namespace quorbell::container
