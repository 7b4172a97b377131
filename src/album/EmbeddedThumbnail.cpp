#include "album/EmbeddedThumbnail.h"

#include "album/AlbumThumbnail.h"
#include "album/ExifThumbnail.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"
#include "core/CellFit.h"

namespace quorbell::album {

std::optional<CellPicture> cellPictureFromExif(QByteArrayView photoHead, int cellSize)
{
    const ExifFacts exif = readExifFacts(photoHead);
    const std::optional<QSize> stored = exif.thumbnail ? readPixelSize(photoHead) : std::nullopt;
    if (!stored)
        return std::nullopt;
    CellPicture out;
    out.pixelSize = recordedPixelSize(orientedSize(*stored, exif.orientation));
    std::optional<Rgb32Picture> thumb =
        decodeExifThumbnail(photoHead, exif, *stored, fitToCell(out.pixelSize, cellSize));
    if (!thumb)
        return std::nullopt;
    const QImage turned = applyOrientation(imageOf(std::move(*thumb)), exif.orientation);
    if (turned.isNull())
        return std::nullopt;
    out.image = fitPictureToCell(turned, out.pixelSize, cellSize);
    return out;
}

} // namespace quorbell::album
