// The pixel format every thumbnail of the document is held in. Three bytes a
// pixel instead of four: a large container keeps thousands of thumbnails in
// memory at once, and the stored records carry no more than 24 bits anyway,
// so nothing is lost. Qt draws this format onto the 32-bit grid picture with
// a vectorised conversion, as fast as a 32-bit copy for pictures this small.
#pragma once

#include <QImage>

namespace quorbell {

inline constexpr QImage::Format kThumbnailFormat = QImage::Format_RGB888;

// The picture in the thumbnail format (shared, not copied, when it already
// is). Other formats pass through 32-bit RGB first, so that a picture with an
// alpha channel keeps exactly the colours it had when thumbnails were 32-bit.
inline QImage toThumbnailFormat(const QImage& picture)
{
    if (picture.isNull() || picture.format() == kThumbnailFormat)
        return picture;
    if (picture.format() == QImage::Format_RGB32)
        return picture.convertToFormat(kThumbnailFormat);
    return picture.convertToFormat(QImage::Format_RGB32).convertToFormat(kThumbnailFormat);
}

} // namespace quorbell
