#include "container/ContainerReader.h"

#include "container/ContainerFile.h"
#include "container/ThumbnailLoader.h"

namespace quorbell::container {

ContainerResult<ContainerDocument> readContainer(const QString& path)
{
    ContainerResult<std::shared_ptr<ContainerFile>> file = ContainerFile::open(path);
    if (!file)
        return file.error();
    ContainerDocument doc = (*file)->document();
    if (std::optional<ContainerError> failure =
            decodeEveryThumbnail(*file, [&doc](int index, QImage picture) {
                doc.albums[index].thumbnail = std::move(picture);
            }))
        return *failure;
    return doc;
}

std::optional<ContainerError>
decodeEveryThumbnail(std::shared_ptr<const ContainerFile> file,
                     const std::function<void(int index, QImage picture)>& take)
{
    ThumbnailLoader loader(std::move(file));
    loader.start();
    for (int i = 0; i < loader.count(); ++i) {
        loader.waitForReady(i + 1);
        if (std::optional<ContainerError> failure = loader.failure(i))
            return failure; // the records still being decoded are abandoned
        QImage picture = loader.takeThumbnail(i);
        if (take)
            take(i, std::move(picture));
    }
    return std::nullopt;
}

} // namespace quorbell::container
