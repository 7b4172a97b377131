// Reading, decoding and resampling one photo of an album.
#include "viewer/PhotoLoader.h"

#include "album/AlbumFileReader.h"
#include "album/PhotoDecoder.h"
#include "album/PhotoOrientation.h"
#include "viewer/PhotoScaler.h"

#include <QPainter>

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

bool aboveDecodeCap(QSize size)
{
    return qint64(size.width()) * size.height() * 4 > album::kMaxDecodedBytes;
}

// The size to ask the JPEG decoder for, so that it picks the smallest of its
// 1/2, 1/4 and 1/8 scales that still covers `cover`. When none does (a photo
// shown at its own size), the largest of them that stays within the cap.
QSize reducedDecodeSize(QSize full, QSize cover)
{
    const int d = album::jpegScaleDenominator(full, cover);
    for (int denominator : {2, 4, 8}) {
        const QSize reduced((full.width() + denominator - 1) / denominator,
                            (full.height() + denominator - 1) / denominator);
        if (denominator >= d && !aboveDecodeCap(reduced))
            return reduced;
    }
    return full; // nothing fits: the decoder refuses it
}

// A photo whose full decode would pass the cap: a JPEG is decoded reduced and
// scaled from that to the part of the target that the screen shows; any other
// photo is not shown.
PreparedPhoto prepareReducedPhoto(QByteArrayView bytes, QSize full, QSize screen,
                                  SizingChoice sizing, int threads)
{
    PreparedPhoto result;
    result.error = PhotoError::NotAnImage;
    if (album::sniffImageKind(bytes) != album::ImageKind::Jpeg)
        return result;
    const PhotoTarget target = computePhotoTarget(sizing, screen, full);
    const std::optional<album::DecodedPhoto> decoded = album::decodeUprightPhoto(
        bytes, [&](QSize f) { return reducedDecodeSize(f, target.newSize()); });
    if (!decoded || decoded->image.isNull())
        return result;
    result.error = PhotoError::None;
    result.photoSize = full;
    result.target = target;
    const QImage& reduced = decoded->image;
    const QSize newSize = result.target.newSize();
    if (reduced.size() == newSize) {
        result.image = toOpaqueRgb32(reduced);
    } else if (reduced.width() > newSize.width() && reduced.height() >= newSize.height()) {
        result.image = shrinkPhoto(reduced, newSize, threads);
    } else {
        // Only the part on the screen is made: the whole picture at its own
        // size would be as large as the decode that was avoided.
        const QSize shown = newSize.boundedTo(screen);
        QImage out(shown, QImage::Format_RGB32);
        if (!out.isNull()) {
            out.fill(Qt::black);
            QPainter p(&out);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRect(QPoint(0, 0), newSize), reduced);
        }
        result.image = out;
    }
    if (result.image.isNull())
        result.error = PhotoError::ResampleFailed;
    return result;
}

} // namespace

PreparedPhoto preparePhotoFromBytes(const QByteArray& bytes, QSize screen, SizingChoice sizing,
                                    int threads)
{
    if (const std::optional<QSize> full = album::readUprightPixelSize(bytes);
        full && aboveDecodeCap(*full))
        return prepareReducedPhoto(bytes, *full, screen, sizing, threads);
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
