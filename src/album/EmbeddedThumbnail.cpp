#include "album/EmbeddedThumbnail.h"

#include "album/AlbumThumbnail.h"
#include "album/ExifReader.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"
#include "core/CellFit.h"

#include <algorithm>

namespace quorbell::album {

std::optional<CellPicture> cellPictureFromExif(QByteArrayView photoHead, int cellSize)
{
    const ExifFacts exif = readExifFacts(photoHead);
    if (!exif.thumbnail)
        return std::nullopt;
    // Both sizes as stored: the thumbnail is stored turned as the photo is.
    const std::optional<QSize> stored = readPixelSize(photoHead);
    if (!stored)
        return std::nullopt;
    const QByteArrayView thumbBytes =
        photoHead.sliced(exif.thumbnail->offset, exif.thumbnail->length);
    if (sniffImageKind(thumbBytes) != ImageKind::Jpeg)
        return std::nullopt;
    std::optional<DecodedPhoto> thumb = decodePhoto(thumbBytes, [](QSize full) { return full; });
    if (!thumb || !thumb->clean || thumb->image.size() != thumb->fullSize ||
        !sameProportions(thumb->fullSize, *stored))
        return std::nullopt;

    CellPicture out;
    out.pixelSize = recordedPixelSize(orientedSize(*stored, exif.orientation));
    const QSize fit = fitToCell(out.pixelSize, cellSize);
    const QSize upright = orientedSize(thumb->fullSize, exif.orientation);
    if (upright.width() < fit.width() || upright.height() < fit.height())
        return std::nullopt;
    const QImage turned = applyOrientation(thumb->image, exif.orientation);
    if (turned.isNull())
        return std::nullopt;
    out.image = fitPictureToCell(turned, out.pixelSize, cellSize);
    return out;
}

} // namespace quorbell::album
