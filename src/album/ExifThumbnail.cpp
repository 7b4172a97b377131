#include "album/ExifThumbnail.h"

#include "album/ImageKind.h"
#include "album/JpegDecoder.h"

#include <algorithm>
#include <cstdlib>

namespace quorbell::album {

bool sameProportions(QSize thumb, QSize photo)
{
    if (thumb.isEmpty() || photo.isEmpty())
        return false;
    // |th - tw * H / W| <= 1 and |tw - th * W / H| <= 1, without division.
    const qint64 cross =
        qint64(thumb.height()) * photo.width() - qint64(thumb.width()) * photo.height();
    return std::abs(cross) <= std::min(photo.width(), photo.height());
}

std::optional<Rgb32Picture> decodeExifThumbnail(QByteArrayView photoHead, const ExifFacts& exif,
                                                QSize stored, QSize fit)
{
    if (!exif.thumbnail)
        return std::nullopt;
    // Both sizes as stored: the thumbnail is stored turned as the photo is.
    const QByteArrayView bytes = photoHead.sliced(exif.thumbnail->offset, exif.thumbnail->length);
    JpegPicture thumb;
    if (sniffImageKind(bytes) != ImageKind::Jpeg ||
        decodeJpeg(
            bytes, [](QSize full) { return full; }, thumb) != JpegOutcome::Decoded ||
        !thumb.clean || QSize(thumb.picture.width, thumb.picture.height) != thumb.fullSize ||
        !sameProportions(thumb.fullSize, stored))
        return std::nullopt;
    const QSize upright = orientedSize(thumb.fullSize, exif.orientation);
    if (upright.width() < fit.width() || upright.height() < fit.height())
        return std::nullopt;
    return std::move(thumb.picture);
}

} // namespace quorbell::album
