#include "AlbumMaker.h"

#include "album/AlbumTable.h"
#include "album/PhotoOrientation.h"
#include "core/BinaryIO.h"

namespace quorbell::tools {

std::optional<BuiltAlbum> buildAlbum(const AlbumSpec& albumSpec, AlbumMakeProblem* problem)
{
    album::AlbumContents contents;
    contents.headerTail = albumSpec.headerTail;
    contents.password = albumSpec.password;
    contents.unusedValue = albumSpec.unusedValue;
    for (int i = 0; i < albumSpec.photos.size(); ++i) {
        const AlbumPhotoSource& p = albumSpec.photos.at(i);
        std::optional<QByteArray> name =
            album::storedPhotoName(p.hidden ? QLatin1Char('*') + p.name : p.name);
        if (!name) {
            if (problem)
                *problem = {AlbumMakeError::NameNotStorable, i};
            return std::nullopt;
        }
        contents.entries.append(
            {std::move(*name), packPair(p.pixelSize.width(), p.pixelSize.height()), p.imageBytes});
    }
    return album::buildAlbum(contents, problem);
}

std::optional<AlbumPhotoSource> photoFromBytes(const QString& name, const QByteArray& bytes)
{
    const std::optional<QSize> size = album::readUprightPixelSize(bytes);
    if (!size)
        return std::nullopt;
    return AlbumPhotoSource{name, bytes, *size, false};
}

} // namespace quorbell::tools
