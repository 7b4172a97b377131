#include "album/AlbumThumbnail.h"

#include "album/AlbumFileReader.h"
#include "album/EmbeddedThumbnail.h"
#include "album/ExifReader.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"

#include <QFileInfo>

#include <algorithm>

namespace quorbell::album {

QSize recordedPixelSize(QSize full)
{
    constexpr int kMax = 32767;
    const int longer = std::max(full.width(), full.height());
    if (longer <= kMax)
        return full;
    return QSize(std::max(1, int(qint64(full.width()) * kMax / longer)),
                 std::max(1, int(qint64(full.height()) * kMax / longer)));
}

QImage fitPictureToCell(const QImage& picture, QSize recordedSize, int cellSize)
{
    const QSize fit = fitToCell(recordedSize, cellSize).expandedTo(QSize(1, 1));
    QImage out = picture.size() == fit
                     ? picture
                     : picture.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return toThumbnailFormat(out);
}

AlbumThumbnail makeAlbumThumbnail(const QString& path, int cellSize)
{
    AlbumThumbnail r;
    r.path = path;
    r.cellSize = cellSize;

    const QFileInfo info(path);
    if (info.isFile()) {
        r.fileExists = true;
        r.fileSize = info.size();
        r.fileDate = DateVariant::fromDateTime(info.lastModified());
    }

    // Only the first photo's place matters here: damage in a later entry, or
    // any name, does not keep the album from its thumbnail.
    AlbumFileReader reader;
    r.failure = reader.open(path, EntryChecks::EachEntryAlone);
    if (r.ok() && !reader.table().photos.at(0).hasReadableImage())
        r.failure = reader.table().photos.at(0).placeDamage;
    if (!r.ok())
        return r;
    r.tableRead = true;
    r.password = reader.table().password;

    // The head holds a camera's EXIF segment: when its embedded thumbnail
    // will do, the rest of the photo is neither read nor decoded.
    AlbumResult<QByteArray> bytes = reader.photoHead(0, kExifHeadBytes);
    if (bytes && sniffImageKind(*bytes) == ImageKind::Jpeg) {
        if (std::optional<CellPicture> fromExif = cellPictureFromExif(*bytes, cellSize)) {
            r.pixelSize = fromExif->pixelSize;
            r.image = std::move(fromExif->image);
            return r;
        }
    }
    if (bytes && bytes->size() < reader.table().photos.at(0).length)
        bytes = reader.photoBytes(0);
    if (!bytes) {
        r.failure = bytes.failure();
        return r;
    }
    const qint64 imageOffset = reader.table().photos.at(0).offset();
    reader.close();

    const std::optional<DecodedPhoto> photo = decodeUprightPhoto(
        *bytes, [cellSize](QSize full) { return fitToCell(recordedPixelSize(full), cellSize); });
    if (!photo) {
        r.failure = {AlbumError::UndecodableImage, imageOffset};
        return r;
    }
    r.pixelSize = recordedPixelSize(photo->fullSize);
    r.image = fitPictureToCell(photo->image, r.pixelSize, cellSize);
    return r;
}

} // namespace quorbell::album
