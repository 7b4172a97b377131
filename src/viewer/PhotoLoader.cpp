// Reading, decoding and resampling one photo of an album.
#include "viewer/PhotoLoader.h"

#include "viewer/PhotoScaler.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace quorbell::viewer {

PhotoBytes readPhotoBytes(const QString& albumPath, qint64 position, qint64 length)
{
    PhotoBytes result;
    QFile file(albumPath);
    if (!QFileInfo(albumPath).isFile()) {
        result.error = PhotoError::FileMissing;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = PhotoError::OpenFailed;
        return result;
    }
    // Position and length come from the album's photo table: trust them only
    // once they are known to lie inside this file.
    const qint64 size = file.size();
    if (position < 1 || length < 1 || position - 1 > size || length > size - (position - 1)) {
        result.error = PhotoError::OutsideFile;
        return result;
    }
    if (!file.seek(position - 1)) {
        result.error = PhotoError::ReadFailed;
        return result;
    }
    result.bytes = file.read(length);
    if (result.bytes.size() != length) {
        result.bytes.clear();
        result.error = PhotoError::ReadFailed;
    }
    return result;
}

DecodedPhoto decodePhoto(const QByteArray& bytes)
{
    DecodedPhoto result;
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) {
        result.error = PhotoError::NotAnImage;
        return result;
    }
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    // Albums hold BMP and JPEG photos (and GIF, which the picture loader also
    // knows); bytes that look like anything else are not handed to a decoder.
    const QByteArray format = reader.canRead() ? reader.format() : QByteArray();
    if (format != "bmp" && format != "jpeg" && format != "gif") {
        result.error = PhotoError::NotAnImage;
        return result;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.error = PhotoError::NotAnImage;
        return result;
    }
    result.image = toOpaqueRgb32(image);
    if (result.image.isNull())
        result.error = PhotoError::ResampleFailed;
    return result;
}

PreparedPhoto preparePhotoFromBytes(const QByteArray& bytes, QSize screen, SizingChoice sizing,
                                    int threads)
{
    PreparedPhoto result;
    DecodedPhoto decoded = decodePhoto(bytes);
    if (decoded.error != PhotoError::None) {
        result.error = decoded.error;
        return result;
    }
    result.photoSize = decoded.image.size();
    result.target = computePhotoTarget(sizing, screen, result.photoSize);
    if (result.target.path == ScalePath::AsIs)
        result.image = std::move(decoded.image);
    else
        result.image = resamplePhoto(decoded.image, result.target, threads);
    if (result.image.isNull())
        result.error = PhotoError::ResampleFailed;
    return result;
}

PreparedPhoto preparePhoto(const PhotoRequest& request)
{
    PhotoBytes read = readPhotoBytes(request.albumPath, request.position, request.length);
    if (read.error != PhotoError::None) {
        PreparedPhoto result;
        result.error = read.error;
        return result;
    }
    return preparePhotoFromBytes(read.bytes, request.screen, request.sizing, request.threads);
}

} // namespace quorbell::viewer
