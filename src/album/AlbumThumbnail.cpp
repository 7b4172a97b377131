#include "album/AlbumThumbnail.h"

#include "album/AlbumFileReader.h"
#include "album/EmbeddedThumbnail.h"
#include "album/ExifReader.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"

#include <QFileInfo>

#include <algorithm>

namespace quorbell::album {

QImage fitPictureToCell(const QImage& picture, QSize recordedSize, int cellSize)
{
    const QSize fit = fitToCell(recordedSize, cellSize).expandedTo(QSize(1, 1));
    QImage out = picture.size() == fit
                     ? picture
                     : picture.scaled(fit, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return toThumbnailFormat(out);
}

AlbumThumbnail makeAlbumThumbnail(const QString& path, int cellSize, PhotoAccess access,
                                  EighthScale eighthScale)
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
    const qint64 imageOffset = reader.table().photos.at(0).offset();

    // A mapping holds the whole photo at once; a read takes the head first.
    QByteArray held;
    QByteArrayView bytes;
    const AlbumResult<QByteArrayView> mapped =
        access == PhotoAccess::Map ? reader.mapPhotoBytes(0)
                                   : AlbumResult<QByteArrayView>(AlbumError::Unreadable);
    if (mapped) {
        bytes = *mapped;
    } else {
        AlbumResult<QByteArray> head = reader.photoHead(0, kExifHeadBytes);
        if (!head) {
            r.failure = head.failure();
            return r;
        }
        held = std::move(head).value();
        bytes = held;
    }

    // The head holds a camera's EXIF segment: when its embedded thumbnail
    // will do, the rest of the photo is neither read nor decoded.
    if (sniffImageKind(bytes) == ImageKind::Jpeg) {
        const QByteArrayView head = bytes.first(std::min<qint64>(bytes.size(), kExifHeadBytes));
        if (std::optional<CellPicture> fromExif = cellPictureFromExif(head, cellSize)) {
            r.pixelSize = fromExif->pixelSize;
            r.image = std::move(fromExif->image);
            return r;
        }
    }
    if (!mapped && held.size() < reader.table().photos.at(0).length) {
        AlbumResult<QByteArray> whole = reader.photoBytes(0);
        if (!whole) {
            r.failure = whole.failure();
            return r;
        }
        held = std::move(whole).value();
        bytes = held;
    }

    const std::optional<DecodedPhoto> photo = decodeUprightPhoto(
        bytes, [cellSize](QSize full) { return fitToCell(recordedPixelSize(full), cellSize); },
        eighthScale);
    if (!photo) {
        r.failure = {AlbumError::UndecodableImage, imageOffset};
        return r;
    }
    r.pixelSize = recordedPixelSize(photo->fullSize);
    r.image = fitPictureToCell(photo->image, r.pixelSize, cellSize);
    return r;
}

} // namespace quorbell::album
