// Reading, decoding and resampling one photo of an album.
#include "viewer/PhotoLoader.h"

#include "album/AlbumFileReader.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"
#include "viewer/PhotoScaler.h"

namespace quorbell::viewer {
namespace {

PhotoError photoErrorFor(album::AlbumError e)
{
    switch (e) {
    case album::AlbumError::None:
        return PhotoError::None;
    case album::AlbumError::Missing:
    case album::AlbumError::NotAFile:
        return PhotoError::FileMissing;
    case album::AlbumError::BadPosition:
    case album::AlbumError::NoSuchPhoto:
        return PhotoError::OutsideFile;
    case album::AlbumError::UndecodableImage:
        return PhotoError::NotAnImage;
    default:
        return PhotoError::Unreadable;
    }
}

} // namespace

PreparedPhoto preparePhotoFromBytes(const QByteArray& bytes, QSize screen, SizingChoice sizing,
                                    int threads)
{
    PreparedPhoto result;
    std::optional<album::DecodedPhoto> decoded =
        album::decodeUprightPhoto(bytes, [](QSize full) { return full; });
    if (!decoded || decoded->image.isNull()) {
        result.error = PhotoError::NotAnImage;
        return result;
    }
    // The placement follows the pixels that were actually decoded, whatever
    // the album's size table says about the photo.
    result.photoSize = decoded->image.size();
    result.target = computePhotoTarget(sizing, screen, result.photoSize);
    if (result.target.path == ScalePath::AsIs)
        result.image = toOpaqueRgb32(decoded->image);
    else
        result.image = resamplePhoto(decoded->image, result.target, threads);
    if (result.image.isNull())
        result.error = PhotoError::ResampleFailed;
    return result;
}

PreparedPhoto preparePhoto(const PhotoRequest& request)
{
    album::AlbumResult<QByteArray> bytes = album::readPhotoBytes(request.albumPath, request.photo);
    if (!bytes) {
        PreparedPhoto result;
        result.error = photoErrorFor(bytes.error());
        return result;
    }
    return preparePhotoFromBytes(*bytes, request.screen, request.sizing, request.threads);
}

} // namespace quorbell::viewer
