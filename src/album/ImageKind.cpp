#include "album/ImageKind.h"

namespace quorbell::album {

ImageKind sniffImageKind(QByteArrayView bytes)
{
    if (bytes.size() >= 3 && uchar(bytes[0]) == 0xFF && uchar(bytes[1]) == 0xD8 &&
        uchar(bytes[2]) == 0xFF)
        return ImageKind::Jpeg;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return ImageKind::Bmp;
    if (bytes.size() >= 6 && (bytes.first(6) == "GIF87a" || bytes.first(6) == "GIF89a"))
        return ImageKind::Gif;
    return ImageKind::Unknown;
}

} // namespace quorbell::album
