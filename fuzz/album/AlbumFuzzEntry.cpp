#include "AlbumFuzzEntry.h"

#include "album/AlbumFileReader.h"
#include "album/AlbumThumbnail.h"
#include "album/EmbeddedThumbnail.h"
#include "album/ExifReader.h"
#include "album/JpegEighthDecoder.h"
#include "album/PhotoDecoder.h"

#include <QBuffer>

#include <cstdlib>

namespace quorbell::fuzz {

int fuzzAlbumFile(const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    album::AlbumFileReader reader;
    if (reader.open(&buffer).error != album::AlbumError::None)
        return 0;
    const album::AlbumTable& t = reader.table();
    // What the reader accepted must hold: every photo inside the file.
    for (int i = 0; i < t.photos.size(); ++i) {
        const album::AlbumPhoto& p = t.photos.at(i);
        if (p.position < 1 || p.length < 1 || p.offset() + p.length > qint64(size) ||
            p.blockOffset + p.blockLength > qint64(size) || t.tablesEnd > qint64(size))
            std::abort();
        const album::AlbumResult<QByteArray> photo = reader.photoBytes(i);
        if (!photo || photo->size() != p.length)
            std::abort();
        if (i == 0) {
            const std::optional<album::DecodedPhoto> decoded = album::decodePhoto(
                *photo, [](QSize full) { return fitToCell(recordedPixelSize(full), 80); });
            if (decoded && decoded->image.isNull())
                std::abort();
            // The DC-only decoder on both threads: whatever it makes of
            // damaged data, it never reads outside it.
            const std::optional<album::Rgb32Picture> eighth = album::decodeJpegEighth(*photo, 2);
            if (eighth && eighth->isNull())
                std::abort();
            // The EXIF reader's thumbnail lies inside the photo's bytes.
            const album::ExifFacts exif = album::readExifFacts(*photo);
            if (exif.orientation < 1 || exif.orientation > 8 ||
                (exif.thumbnail && (exif.thumbnail->offset < 0 || exif.thumbnail->length < 1 ||
                                    exif.thumbnail->offset + exif.thumbnail->length > p.length)))
                std::abort();
            const std::optional<album::CellPicture> cell = album::cellPictureFromExif(*photo, 80);
            if (cell && cell->image.isNull())
                std::abort();
        }
    }
    return 0;
}

} // namespace quorbell::fuzz
