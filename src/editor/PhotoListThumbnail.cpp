#include "editor/PhotoListThumbnail.h"

#include "album/AlbumThumbnail.h"
#include "album/EmbeddedThumbnail.h"
#include "album/ExifReader.h"
#include "album/PhotoOrientation.h"
#include "core/CellFit.h"

#include <algorithm>

namespace quorbell::editor {

QImage photoListThumbnail(const QByteArray& imageBytes, int side)
{
    using namespace quorbell::album;
    if (sniffImageKind(imageBytes) == ImageKind::Jpeg) {
        const QByteArrayView head =
            QByteArrayView(imageBytes).first(std::min<qint64>(imageBytes.size(), kExifHeadBytes));
        if (std::optional<CellPicture> fromExif = cellPictureFromExif(head, side))
            return fromExif->image;
    }
    const std::optional<DecodedPhoto> photo = decodeUprightPhoto(
        imageBytes, [side](QSize full) { return fitToCell(recordedPixelSize(full), side); });
    if (!photo)
        return QImage();
    return fitPictureToCell(photo->image, recordedPixelSize(photo->fullSize), side);
}

} // namespace quorbell::editor
