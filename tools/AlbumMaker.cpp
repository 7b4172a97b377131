#include "AlbumMaker.h"

#include "album/AlbumTable.h"
#include "album/PhotoOrientation.h"
#include "core/BinaryIO.h"
#include "core/Cp932.h"

#include <limits>

namespace quorbell::tools {

std::optional<BuiltAlbum> buildAlbum(const AlbumSpec& albumSpec, AlbumMakeProblem* problem)
{
    auto refuse = [problem](AlbumMakeError e, int index = -1) -> std::optional<BuiltAlbum> {
        if (problem)
            *problem = {e, index};
        return std::nullopt;
    };
    if (albumSpec.photos.size() > std::numeric_limits<qint16>::max())
        return refuse(AlbumMakeError::TooManyPhotos);
    if (albumSpec.headerTail.size() != album::kAlbumHeaderLength - album::kAlbumMagicLength)
        return refuse(AlbumMakeError::BadHeaderTail);

    QList<QByteArray> names;
    for (int i = 0; i < albumSpec.photos.size(); ++i) {
        const AlbumPhotoSource& p = albumSpec.photos.at(i);
        const QString shown = p.hidden ? QLatin1Char('*') + p.name : p.name;
        const std::optional<QByteArray> encoded = cp932::encodeExact(shown);
        if (!encoded || encoded->size() > 0xFFFF)
            return refuse(AlbumMakeError::NameNotStorable, i);
        if (p.imageBytes.isEmpty())
            return refuse(AlbumMakeError::EmptyImage, i);
        names.append(*encoded);
    }

    const int n = int(albumSpec.photos.size());
    BuiltAlbum out;
    AlbumLayout& layout = out.layout;
    ByteWriter w;
    w.bytes(QByteArrayView(album::kAlbumMagic, album::kAlbumMagicLength));
    w.bytes(albumSpec.headerTail);
    w.bytes(passwordToBytes(albumSpec.password));
    w.i16(qint16(n));
    w.i16(albumSpec.unusedValue);

    layout.sizesOffset = w.data().size();
    for (const AlbumPhotoSource& p : albumSpec.photos)
        w.i32(packPair(p.pixelSize.width(), p.pixelSize.height()));
    layout.namesOffset = w.data().size();
    for (const QByteArray& name : names)
        w.stringBytes(name);
    layout.blocksOffset = w.data().size();
    for (const AlbumPhotoSource& p : albumSpec.photos) {
        layout.blockOffsets.append(w.data().size());
        w.i32(qint32(p.imageBytes.size()));
        layout.imageOffsets.append(w.data().size());
        w.bytes(p.imageBytes);
    }
    layout.positionsOffset = w.data().size();
    layout.lengthsOffset = layout.positionsOffset + 4 * qint64(n);
    layout.endOffset = layout.lengthsOffset + 4 * qint64(n);
    if (layout.endOffset > std::numeric_limits<qint32>::max())
        return refuse(AlbumMakeError::TooLarge);
    for (qint64 offset : std::as_const(layout.imageOffsets))
        w.i32(qint32(offset + 1)); // positions are 1-based
    for (const AlbumPhotoSource& p : albumSpec.photos)
        w.i32(qint32(p.imageBytes.size()));
    out.bytes = std::move(w.data());
    if (problem)
        *problem = {};
    return out;
}

std::optional<AlbumPhotoSource> photoFromBytes(const QString& name, const QByteArray& bytes)
{
    const std::optional<QSize> size = album::readUprightPixelSize(bytes);
    if (!size)
        return std::nullopt;
    return AlbumPhotoSource{name, bytes, *size, false};
}

} // namespace quorbell::tools
